#pragma once

#include "project/backupset.h"

#include <QString>

#include <functional>

struct SlideshowProject;

// Texts the caller shows when a storage step fails.
namespace StorageMessages {
// The project file could not be written; the previous file and its backup are kept.
QString saveFailed();
// The same, because a caption or the header is too long for a project file.
QString saveFailedLineTooLong();
// fileName does not hold a project (its slide count is missing, not a number or out of range).
QString invalidProject(const QString &fileName);
// fileName is refused as a project because it is larger than a project can be.
QString projectTooLarge(const QString &fileName);
// fileName is refused as a project because one of its lines is longer than a project's can be.
QString projectLineTooLong(const QString &fileName);
} // namespace StorageMessages

// Reads and writes the open project's files in its folder (basePath + ".lmv",
// ".htm", ".js", N + ".gif"/".jpg") and keeps its backup set in the backup
// root. Nothing here shows a message: each operation says what happened.
class ProjectStorage
{
public:
    enum class ReadResult {
        Loaded,      // header, slide lines and image types are read
        NoSlides,    // the count is 0: slideCount is 0, nothing else changed
        Unreadable,  // the project file cannot be opened; nothing changed
        NotAProject, // the count is missing, not a number, negative or above 200; nothing changed
        TooLarge,    // the file is over 64 MB: no project is that large; nothing changed
        LineTooLong, // a line is over 1 MB: no caption is that long; nothing changed
    };
    enum class WriteResult {
        Written,
        Failed /* the previous file is untouched */
    };
    enum class BackupResult {
        Complete,
        Partial, // some files could not be copied; the set holds what was
        Failed,  // no usable set: the backup root cannot be written
    };
    enum class DiscardResult {
        Discarded,
        NotOwnBackup /* the set was left alone */
    };
    enum class RevertResult {
        Reverted,
        Partial, // some backup files could not be put back; the project files they would replace are kept
        NoProject,    // no project is loaded: nothing was touched
        NotOwnBackup, // the backup set is missing or another project's: nothing was touched
    };
    enum class CopyResult {
        Complete,
        Partial, // the page, the script or some images were missing from the project
        Failed,  // a file could not be written in the new folder (full, not writable)
    };
    enum class SaveResult {
        Saved,
        WriteFailed /* backup kept, saved still false */
    };

    ProjectStorage(SlideshowProject &project, QString backupRoot);

    // Loads header, slideCount, slideLines and imageTypes from basePath + ".lmv".
    // name and folder are never taken from the file. Does not touch the backup set.
    ReadResult ReadProjectFile();

    // False when a caption or the header is longer than a line of a project
    // file may be: such a file would not open again, so it is never written.
    bool linesFit() const;

    // Writes the project file at path, lines 1 and 2 from name and folder.
    // Fails, writing nothing, when the lines do not fit.
    WriteResult WriteProjectFile(const QString &path, const QString &name, const QString &folder);

    // Replaces the backup set by a copy of the project's files and records backupImageTypes.
    BackupResult TakeBackup();

    // Deletes the backup set, when it is this project's.
    DiscardResult DiscardBackup();

    // Puts this project's backup set back in place of its files and sets saved.
    // The in-memory project is not reloaded.
    RevertResult RevertToBackup();

    // Writes the project as project newName in newFolder (page, script and images copied).
    CopyResult CopyProjectTo(const QString &newFolder, const QString &newName);

    // Writes the project file, then discards the backup set and sets saved.
    SaveResult SaveProject();

    // Told after each file that TakeBackup and CopyProjectTo have handled,
    // with the number of files done and to do, so that a long copy can be shown.
    using Progress = std::function<void(int done, int total)>;
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // True when the backup set on disk was taken from this project.
    bool hasOwnBackup() const;

    const BackupSet &backupSet() const { return m_backup; }

private:
    void reportProgress(int done, int total) const;

    SlideshowProject &m_project;
    BackupSet m_backup;
    Progress m_progress;
};
