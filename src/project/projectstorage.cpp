#include "project/projectstorage.h"

#include "project/fileops.h"
#include "project/slideshowproject.h"
#include "project/textfile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <utility>

namespace StorageMessages {

QString saveFailed()
{
    return QStringLiteral(u"L'enregistrement du diaporama a échoué\u00A0: le fichier n'a pas pu "
                          u"être écrit. La version précédente et sa sauvegarde sont conservées.");
}

QString saveFailedLineTooLong()
{
    return QStringLiteral(u"L'enregistrement du diaporama a échoué\u00A0: une légende ou le titre "
                          u"dépasse 1\u00A0Mo, et le projet ne pourrait plus être ouvert. "
                          u"Raccourcissez-le. La version précédente et sa sauvegarde sont "
                          u"conservées.");
}

QString invalidProject(const QString &fileName)
{
    return QStringLiteral(u"Le fichier «\u00A0%1\u00A0» n'est pas un projet Lumivue valide.")
        .arg(fileName);
}

QString projectTooLarge(const QString &fileName)
{
    return QStringLiteral(u"Le fichier «\u00A0%1\u00A0» n'est pas un projet Lumivue valide\u00A0: "
                          u"il dépasse 64\u00A0Mo, taille qu'aucun projet n'atteint.")
        .arg(fileName);
}

QString projectLineTooLong(const QString &fileName)
{
    return QStringLiteral(u"Le fichier «\u00A0%1\u00A0» n'est pas un projet Lumivue valide\u00A0: "
                          u"une de ses lignes dépasse 1\u00A0Mo, longueur qu'aucune légende "
                          u"n'atteint.")
        .arg(fileName);
}

} // namespace StorageMessages

namespace {

// Positions of the fixed lines of a project file and the lengths of their keys.
constexpr int kCountLine = 2;
constexpr int kHeaderLine = 3;
constexpr int kFirstSlideLine = 4;
constexpr int kCountKeyLength = 9;  // "NbSprite="
constexpr int kHeaderKeyLength = 4; // "Tag="

constexpr std::initializer_list<const char *> kProjectExtensions = {".lmv", ".htm", ".js"};

// The slide count of a count line: the number after the key, rounded to an
// integer; nothing when the text is not a number or the count is out of range.
std::optional<int> slideCountOf(const QString &countLine)
{
    bool ok = false;
    const double value = countLine.mid(kCountKeyLength).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::round(value);
    if (rounded < 0 || rounded > SlideshowProject::MaxSlides)
        return std::nullopt;
    return int(rounded);
}

// One line of the file per field, whatever the field holds.
QString singleLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString sameNameIn(const QString &base, const char *extension)
{
    return base + QLatin1String(extension);
}

} // namespace

ProjectStorage::ProjectStorage(SlideshowProject &project, QString backupRoot)
    : m_project(project)
    , m_backup(std::move(backupRoot))
{
}

void ProjectStorage::reportProgress(int done, int total) const
{
    if (m_progress)
        m_progress(done, total);
}

bool ProjectStorage::hasOwnBackup() const { return m_backup.isOwnedBy(m_project.basePath); }

ProjectStorage::ReadResult ProjectStorage::ReadProjectFile()
{
    SlideshowProject &p = m_project;
    // The whole file is read and checked before anything of the project changes.
    const TextFile::Lines read = TextFile::readLinesWithin(sameNameIn(p.basePath, ".lmv"));
    switch (read.status) {
    case TextFile::ReadStatus::Read: break;
    case TextFile::ReadStatus::Unreadable: return ReadResult::Unreadable;
    case TextFile::ReadStatus::TooLarge: return ReadResult::TooLarge;
    case TextFile::ReadStatus::LineTooLong: return ReadResult::LineTooLong;
    }
    const QStringList *lines = &read.lines;
    const auto count = lines->size() > kCountLine ? slideCountOf(lines->at(kCountLine))
                                                  : std::nullopt;
    if (!count)
        return ReadResult::NotAProject;

    p.slideCount = std::int16_t(*count);
    if (*count == 0)
        return ReadResult::NoSlides;

    // Lines by position, keys unchecked; a line the file lacks leaves its field as it was.
    if (lines->size() > kHeaderLine)
        p.header = lines->at(kHeaderLine).mid(kHeaderKeyLength);
    for (int n = 0; n < *count && kFirstSlideLine + n < lines->size(); ++n)
        p.slideLines[n] = lines->at(kFirstSlideLine + n);

    // A GIF wins over a JPEG of the same slide; the JPEG is assumed, not checked.
    for (int n = 0; n < *count; ++n) {
        const bool gif = FileOps::exists(
            SlideshowProject::imagePathOf(p.basePath, n, QStringLiteral(".gif")));
        p.imageTypes[n] = gif ? QStringLiteral(".gif") : QStringLiteral(".jpg");
    }
    return ReadResult::Loaded;
}

bool ProjectStorage::linesFit() const
{
    // Measured as UTF-8, the longer of the two encodings a file may have.
    const auto fits = [](const QString &line) {
        return line.size() * 3 + 16 <= TextFile::MaxLineBytes
            || line.toUtf8().size() + 16 <= TextFile::MaxLineBytes; // room for the key
    };
    const SlideshowProject &p = m_project;
    for (int n = 0; n < p.boundedSlideCount(); ++n) {
        if (!fits(p.slideLines[n]))
            return false;
    }
    return fits(p.header) && fits(p.name) && fits(p.folder);
}

ProjectStorage::WriteResult
ProjectStorage::WriteProjectFile(const QString &path, const QString &name, const QString &folder)
{
    const SlideshowProject &p = m_project;
    if (!linesFit())
        return WriteResult::Failed;
    const int count = p.boundedSlideCount();
    QStringList lines{
        QLatin1String("Nom=") + singleLine(name),
        QLatin1String("Repertoire=") + singleLine(folder),
        QLatin1String("NbSprite=") + QString::number(count),
        QLatin1String("Tag=") + singleLine(p.header),
    };
    for (int n = 0; n < count; ++n)
        lines.append(singleLine(p.slideLines[n]));
    // Written beside the target and renamed over it: a failed write keeps the old file.
    return TextFile::writeLines(path, lines) ? WriteResult::Written : WriteResult::Failed;
}

ProjectStorage::BackupResult ProjectStorage::TakeBackup()
{
    SlideshowProject &p = m_project;
    if (!m_backup.ensureRoot())
        return BackupResult::Failed;
    // A project kept in the backup root under the backup stem would back up onto itself.
    if (QDir::cleanPath(p.basePath) == QDir::cleanPath(m_backup.filePath(QString())))
        return BackupResult::Failed;

    const int count = p.boundedSlideCount();
    // No file of an earlier set may pass for part of this one. Those this set
    // writes again are replaced in one step rather than deleted first; any of
    // them that is not replaced after all is deleted below.
    QStringList replaced;
    for (const char *extension : kProjectExtensions)
        replaced << QFileInfo(m_backup.filePath(QLatin1String(extension))).fileName();
    for (int n = 0; n < count; ++n)
        replaced << QFileInfo(m_backup.imagePath(n, p.imageTypes[n])).fileName();
    m_backup.clear(replaced);

    const int total = int(kProjectExtensions.size()) + count;
    int done = 0;
    bool complete = true;
    for (const char *extension : kProjectExtensions) {
        const QString target = m_backup.filePath(QLatin1String(extension));
        if (!FileOps::succeeded(FileOps::copyDirect(sameNameIn(p.basePath, extension), target))) {
            FileOps::remove(target);
            complete = false;
        }
        reportProgress(++done, total);
    }
    // A picture that cannot be copied leaves a gap in the set, not an end:
    // the slides after it are still kept safe from the changes to come.
    for (int n = 0; n < count; ++n) {
        const QString &type = p.imageTypes[n];
        const QString target = m_backup.imagePath(n, type);
        p.backupImageTypes[n] = type;
        if (!FileOps::succeeded(
                FileOps::copyDirect(SlideshowProject::imagePathOf(p.basePath, n, type), target))) {
            FileOps::remove(target);
            complete = false;
        }
        reportProgress(++done, total);
    }

    // The owner file makes the set usable; without it the set is nobody's and is cleared.
    if (!m_backup.writeOwner({p.basePath, count})) {
        m_backup.clear();
        return BackupResult::Failed;
    }
    return complete ? BackupResult::Complete : BackupResult::Partial;
}

ProjectStorage::DiscardResult ProjectStorage::DiscardBackup()
{
    if (!hasOwnBackup())
        return DiscardResult::NotOwnBackup;
    // The owner goes first: a set cut short half deleted must not be put
    // back by the next start over the project just saved.
    m_backup.removeOwner();
    m_backup.clear();
    return DiscardResult::Discarded;
}

ProjectStorage::RevertResult ProjectStorage::RevertToBackup()
{
    SlideshowProject &p = m_project;
    if (!p.loaded)
        return RevertResult::NoProject;
    const auto owner = m_backup.owner();
    if (!owner || !hasOwnBackup())
        return RevertResult::NotOwnBackup;

    bool movesFailed = false;
    // A project file, page or script goes only by being replaced with its backup.
    for (const char *extension : kProjectExtensions) {
        const auto result = FileOps::move(m_backup.filePath(QLatin1String(extension)),
                                          sameNameIn(p.basePath, extension));
        movesFailed = movesFailed || result == FileOps::Result::Failed;
    }

    // The backup images back in place, never beyond the slides the set was taken for.
    const int held = owner->slideCount;
    int restored = 0;
    for (int n = 0; n < held; ++n) {
        const QString &type = p.backupImageTypes[n];
        const auto result = FileOps::move(
            m_backup.imagePath(n, type), SlideshowProject::imagePathOf(p.basePath, n, type));
        if (!FileOps::succeeded(result)) {
            // A gap the set was taken with: the slides after it still go back.
            movesFailed = movesFailed || result == FileOps::Result::Failed;
            continue;
        }
        ++restored;
        // The slide's current image of the other type would be left over beside it.
        if (n < p.slideCount && p.imageTypes[n] != type)
            FileOps::remove(p.imagePath(n));
    }

    // Images of slides added since the backup go; those the set should have
    // given back but could not stay where they are.
    for (int n = held; n < p.slideCount; ++n)
        FileOps::remove(p.imagePath(n));

    // Backup files that could not be moved keep their owner, so that they stay usable.
    if (!movesFailed)
        m_backup.removeOwner();
    p.saved = true;
    return !movesFailed && restored == held ? RevertResult::Reverted : RevertResult::Partial;
}

ProjectStorage::CopyResult ProjectStorage::CopyProjectTo(const QString &newFolder,
                                                         const QString &newName)
{
    const SlideshowProject &p = m_project;
    const QString newBase = newFolder + QLatin1Char('/') + newName;

    const int total = int(kProjectExtensions.size()) + std::max<int>(p.slideCount, 0);
    int done = 0;

    // A missing source file is skipped and the copy goes on; a file that
    // cannot be written in the new folder makes the copy a failure, though
    // each step is still tried whatever failed before it.
    bool written = WriteProjectFile(sameNameIn(newBase, ".lmv"), newName, newFolder)
        == WriteResult::Written;
    reportProgress(++done, total);
    bool complete = true;
    for (const char *extension : {".js", ".htm"}) {
        const auto result = FileOps::copy(sameNameIn(p.basePath, extension),
                                          sameNameIn(newBase, extension));
        complete = complete && FileOps::succeeded(result);
        written = written && result != FileOps::Result::Failed;
        reportProgress(++done, total);
    }
    int copied = 0;
    for (; copied < SlideshowProject::MaxSlides; ++copied) {
        const QString &type = p.imageTypes[copied];
        const auto result = FileOps::copy(SlideshowProject::imagePathOf(p.basePath, copied, type),
                                          SlideshowProject::imagePathOf(newBase, copied, type));
        if (!FileOps::succeeded(result)) {
            written = written && result != FileOps::Result::Failed;
            break;
        }
        reportProgress(std::min(++done, total), total);
    }
    if (!written)
        return CopyResult::Failed;
    return complete && copied >= p.slideCount ? CopyResult::Complete : CopyResult::Partial;
}

ProjectStorage::SaveResult ProjectStorage::SaveProject()
{
    SlideshowProject &p = m_project;
    // The backup goes only once the new project file is safely in place.
    if (WriteProjectFile(sameNameIn(p.basePath, ".lmv"), p.name, p.folder) != WriteResult::Written)
        return SaveResult::WriteFailed;
    DiscardBackup();
    p.saved = true;
    return SaveResult::Saved;
}
