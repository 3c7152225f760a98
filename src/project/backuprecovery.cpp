#include "project/backuprecovery.h"

#include "project/backupset.h"
#include "project/fileops.h"
#include "project/projectstorage.h"
#include "project/slideshowproject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <optional>
#include <utility>

namespace BackupRecovery {

namespace {

std::optional<QByteArray> contentOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// Files that Lumivue's own steps make on the way and remove when they end:
// the temporary names of a reordering ("Name_temp_3.jpg"), the hidden
// copies written beside a file before they replace it (".Name3.jpg.Ab12Cd"),
// those of the project file, page, script and sound ("Name.htm.Ab12Cd") and
// those of the thumbnails, in the folder generation keeps them in
// ("Name_vignettes/Name3.jpg.Ab12Cd").
// Removed only once every picture is back from the set.
void removeLeftovers(const SlideshowProject &p)
{
    const QString stem = QRegularExpression::escape(p.name);
    const QRegularExpression leftover(
        QStringLiteral("^(%1_temp_[0-9]+\\.(gif|jpg)|\\.%1([0-9]+\\.(gif|jpg)|\\.lmv|\\.htm|\\.js)"
                       "\\.[A-Za-z0-9]{6}|(%1\\.lmv|%1\\.htm|%1\\.js|sohifrm2\\.wav)\\.[A-Za-z0-9]{6})$")
            .arg(stem));
    const QRegularExpression thumbnail(
        QStringLiteral("^%1[0-9]+\\.jpg\\.[A-Za-z0-9]{6}$").arg(stem));
    const QString thumbnails = p.basePath + QLatin1String("_vignettes");
    for (const auto &[folder, pattern] : {std::pair{p.folder, &leftover}, {thumbnails, &thumbnail}}) {
        const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        for (const QString &name : names) {
            if (pattern->match(name).hasMatch())
                FileOps::remove(folder + QLatin1Char('/') + name);
        }
    }
}

// The type of slide n's picture in the set; nothing when it holds none.
std::optional<QString> typeIn(const BackupSet &set, int n)
{
    for (const QString &type : {QStringLiteral(".gif"), QStringLiteral(".jpg")})
        if (FileOps::exists(set.imagePath(n, type)))
            return type;
    return std::nullopt;
}

// A backup set that still names its project.
Outcome backupSetRun(const QString &backupRoot, QString &projectFile)
{
    const BackupSet set(backupRoot);
    const auto owner = set.owner();
    if (!owner)
        return Outcome::Nothing;
    SlideshowProject p;
    const QFileInfo base(owner->basePath);
    p.folder = base.absolutePath();
    p.name = base.fileName();
    p.updateBasePath();
    p.loaded = true;
    projectFile = QDir::toNativeSeparators(p.basePath + QLatin1String(".lmv"));

    // Without its project file the project was finalised or moved away:
    // nothing to put the set back over, and the set is left as it is.
    const auto current = contentOf(p.basePath + QLatin1String(".lmv"));
    if (!current)
        return Outcome::Nothing;
    // Only a save writes the project file, and it writes it before it drops
    // the set: a project file unlike the set's is a save that went through.
    ProjectStorage storage(p, backupRoot);
    const auto backedUp = contentOf(set.filePath(QStringLiteral(".lmv")));
    if (backedUp && *backedUp != *current) {
        storage.DiscardBackup();
        return Outcome::SaveKept;
    }

    // As a revert does, except that a file missing from the set was already
    // put back by the revert that was cut short: the others still go back.
    storage.ReadProjectFile();
    bool complete = true;
    const auto putBack = [&](const QString &from, const QString &to) {
        const FileOps::Result result = FileOps::move(from, to);
        complete = complete && result != FileOps::Result::Failed;
        return FileOps::succeeded(result);
    };
    for (const char *extension : {".lmv", ".htm", ".js"})
        putBack(set.filePath(QLatin1String(extension)), p.basePath + QLatin1String(extension));
    for (int n = 0; n < owner->slideCount; ++n) {
        const auto type = typeIn(set, n);
        if (type
            && putBack(set.imagePath(n, *type), SlideshowProject::imagePathOf(p.basePath, n, *type))
            && n < p.slideCount && p.imageTypes[n] != *type)
            FileOps::remove(p.imagePath(n));
    }
    for (int n = owner->slideCount; n < p.slideCount; ++n)
        FileOps::remove(p.imagePath(n));
    if (!complete)
        return Outcome::Partial;
    set.removeOwner();
    removeLeftovers(p);
    return Outcome::Reverted;
}

QString backupSetMessage(const Result &result)
{
    switch (result.outcome) {
    case Outcome::Nothing: return {};
    case Outcome::Reverted:
        return QStringLiteral(u"Lumivue s'est arrêté sans fermer le diaporama «\u00A0%1\u00A0».\r\n"
                              u"Il a été remis dans l'état de son dernier enregistrement.")
            .arg(result.projectFile);
    case Outcome::SaveKept:
        return QStringLiteral(
                   u"Lumivue s'est arrêté pendant l'enregistrement du diaporama "
                   u"«\u00A0%1\u00A0».\r\nL'enregistrement est complet et a été conservé.")
            .arg(result.projectFile);
    case Outcome::Partial: break;
    }
    return QStringLiteral(u"Lumivue s'est arrêté sans fermer le diaporama «\u00A0%1\u00A0».\r\n"
                          u"Certains de ses fichiers n'ont pas pu être remis dans l'état de son "
                          u"dernier enregistrement ; leur copie est gardée dans la sauvegarde.")
        .arg(result.projectFile);
}

} // namespace

Result run(const QString &backupRoot)
{
    Result result;
    result.journal = ReplacementJournal::recover(backupRoot);
    result.outcome = backupSetRun(backupRoot, result.projectFile);
    return result;
}

QString message(const Result &result)
{
    const QString journal = ReplacementJournal::message(result.journal);
    const QString set = backupSetMessage(result);
    return journal.isEmpty() || set.isEmpty() ? journal + set
                                              : journal + QLatin1String("\r\n\r\n") + set;
}

} // namespace BackupRecovery
