#include "project/replacementjournal.h"

#include "project/fileops.h"
#include "project/slideshowproject.h"
#include "project/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <optional>
#include <utility>

namespace {

constexpr auto kWriting = "writing";
constexpr auto kReady = "ready";

QString recordPath(const QString &backupRoot)
{
    return backupRoot + QLatin1Char('/') + QLatin1String(SlideshowProject::BackupStem)
        + QLatin1String(".journal");
}

QString kindName(ReplacementJournal::Kind kind)
{
    return kind == ReplacementJournal::Kind::SaveAs ? QStringLiteral("saveas")
                                                    : QStringLiteral("template");
}

// A staging folder as Lumivue names them, given by its full path. Never a
// link: deleting the staging folder would empty the folder it points to.
bool isOwnStaging(const QString &staging)
{
    static const QRegularExpression name(QStringLiteral("^\\.lumivue-[A-Za-z0-9]{6}$"));
    const QFileInfo info(staging);
    return info.isAbsolute() && !info.isSymLink() && name.match(info.fileName()).hasMatch();
}

// Where target's new file is, or nothing when the pair is not one that
// Lumivue makes: a staging folder of its own naming, directly in the
// targets' folder, or a hidden name beside the target.
std::optional<QString> newFileOf(const QString &staging, const QString &target)
{
    const QFileInfo info(target);
    const QString name = info.fileName();
    if (!info.isAbsolute() || name.isEmpty() || name == QLatin1String(".")
        || name == QLatin1String(".."))
        return std::nullopt;
    if (staging.isEmpty())
        return ReplacementJournal::besideTarget(target);
    if (!isOwnStaging(staging)
        || QDir::cleanPath(QFileInfo(staging).absolutePath()) != QDir::cleanPath(info.absolutePath()))
        return std::nullopt;
    return staging + QLatin1Char('/') + name;
}

struct Record
{
    QString phase, staging;
    ReplacementJournal::Recovered what;
    QStringList targets, newFiles;
};

// Fills in the new files of the targets; false when one is not Lumivue's.
bool findNewFiles(Record &record)
{
    if (!record.staging.isEmpty() && !isOwnStaging(record.staging))
        return false;
    record.newFiles.clear();
    for (const QString &target : std::as_const(record.targets)) {
        const auto newFile = newFileOf(record.staging, target);
        if (!newFile)
            return false;
        record.newFiles << *newFile;
    }
    return true;
}

// The record as written, or nothing when it names anything Lumivue did not make.
std::optional<Record> readRecord(const QString &path)
{
    const auto lines = TextFile::readLines(path);
    if (!lines || lines->size() < 4)
        return std::nullopt;
    Record record;
    record.phase = lines->at(0);
    if (lines->at(1) == kindName(ReplacementJournal::Kind::SaveAs))
        record.what.kind = ReplacementJournal::Kind::SaveAs;
    else if (lines->at(1) == kindName(ReplacementJournal::Kind::Template))
        record.what.kind = ReplacementJournal::Kind::Template;
    else
        return std::nullopt;
    record.what.about = lines->at(2);
    record.staging = lines->at(3);
    record.targets = lines->mid(4);
    if (record.phase != QLatin1String(kWriting) && record.phase != QLatin1String(kReady))
        return std::nullopt;
    if (!findNewFiles(record))
        return std::nullopt;
    return record;
}

void removeStaging(const QString &staging)
{
    if (!staging.isEmpty())
        QDir(staging).removeRecursively();
}

void rollBack(const Record &record)
{
    for (const QString &newFile : record.newFiles)
        FileOps::remove(newFile);
    removeStaging(record.staging);
}

// The targets whose new file is still there but could not be put in place.
QStringList rollForward(const Record &record)
{
    QStringList failed;
    for (qsizetype i = 0; i < record.targets.size(); ++i) {
        // A new file already gone was put in place before the run was cut short.
        const auto result = FileOps::move(record.newFiles[i], record.targets[i]);
        if (result != FileOps::Result::Missing && !FileOps::succeeded(result))
            failed << record.targets[i];
    }
    if (failed.isEmpty())
        removeStaging(record.staging);
    return failed;
}

} // namespace

ReplacementJournal::ReplacementJournal(const QString &backupRoot, Kind kind, QString about)
    : m_path(recordPath(backupRoot))
    , m_kind(kind)
    , m_about(std::move(about))
{
}

QString ReplacementJournal::newStaging(const QString &folder)
{
    static const QString letters = QStringLiteral(
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    QString name = QStringLiteral("/.lumivue-");
    for (int i = 0; i < 6; ++i)
        name += letters.at(QRandomGenerator::global()->bounded(int(letters.size())));
    return folder + name;
}

QString ReplacementJournal::besideTarget(const QString &target)
{
    const QFileInfo info(target);
    return info.absolutePath() + QLatin1String("/.") + info.fileName()
        + QLatin1String(".remplacement");
}

bool ReplacementJournal::write(const char *phase, const QStringList &targets)
{
    m_targets = targets;
    return TextFile::writeLines(m_path, QStringList{QLatin1String(phase), kindName(m_kind), m_about,
                                                    m_staging}
                                            + targets);
}

bool ReplacementJournal::begin(const QString &staging, const QStringList &targets)
{
    m_staging = staging;
    if (!write(kWriting, targets))
        return false;
    // A folder of that name that is not this run's own is never used, nor deleted.
    if (staging.isEmpty() || QDir().mkdir(staging))
        return true;
    FileOps::remove(m_path);
    return false;
}

bool ReplacementJournal::commit(const QStringList &targets) { return write(kReady, targets); }

QStringList ReplacementJournal::finish()
{
    Record record{kReady, m_staging, {}, m_targets, {}};
    const QStringList failed = findNewFiles(record) ? rollForward(record) : m_targets;
    if (failed.isEmpty())
        FileOps::remove(m_path);
    return failed;
}

void ReplacementJournal::abandon()
{
    Record record{kWriting, m_staging, {}, m_targets, {}};
    if (findNewFiles(record))
        rollBack(record);
    FileOps::remove(m_path);
}

ReplacementJournal::Recovered ReplacementJournal::recover(const QString &backupRoot)
{
    const QString path = recordPath(backupRoot);
    if (!FileOps::exists(path))
        return {};
    const auto record = readRecord(path);
    if (!record) {
        FileOps::remove(path);
        return {Outcome::Refused, Kind::SaveAs, {}};
    }
    Recovered recovered = record->what;
    if (record->phase == QLatin1String(kWriting)) {
        rollBack(*record);
        recovered.outcome = Outcome::RolledBack;
    } else if (rollForward(*record).isEmpty()) {
        recovered.outcome = Outcome::RolledForward;
    } else {
        recovered.outcome = Outcome::Partial; // the record stays for the next start
        return recovered;
    }
    FileOps::remove(path);
    return recovered;
}

QString ReplacementJournal::message(const Recovered &recovered)
{
    const bool saveAs = recovered.kind == Kind::SaveAs;
    const QString project = QDir::toNativeSeparators(recovered.about + QLatin1String(".lmv"));
    const QString cut = saveAs
        ? QStringLiteral(u"Lumivue s'est arrêté pendant l'enregistrement du diaporama sous "
                         u"«\u00A0%1\u00A0».\r\n")
              .arg(project)
        : QStringLiteral(u"Lumivue s'est arrêté pendant l'installation du modèle "
                         u"«\u00A0%1\u00A0».\r\n")
              .arg(recovered.about);
    switch (recovered.outcome) {
    case Outcome::Nothing: return {};
    case Outcome::RolledBack:
        return cut
            + (saveAs ? QStringLiteral(u"La copie inachevée a été supprimée ; le dossier "
                                       u"«\u00A0%1\u00A0» est resté tel qu'il était.")
                            .arg(QDir::toNativeSeparators(QFileInfo(recovered.about).path()))
                      : QStringLiteral("Le modèle actuel a été conservé."));
    case Outcome::RolledForward:
        return cut
            + (saveAs ? QStringLiteral("La copie était complète : sa mise en place a été "
                                       "terminée.")
                      : QStringLiteral("Le nouveau modèle était prêt : son installation a été "
                                       "terminée."));
    case Outcome::Partial:
        return cut
            + QStringLiteral("Certains fichiers n'ont pas pu être mis en place ; Lumivue "
                             "réessaiera au prochain démarrage.");
    case Outcome::Refused: break;
    }
    return QStringLiteral("Lumivue a trouvé la trace d'une opération interrompue qui désigne des "
                          "fichiers qu'il n'a pas créés.\r\nCette trace a été effacée sans "
                          "toucher à aucun fichier.");
}
