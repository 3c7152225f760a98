#pragma once

#include <QObject>
#include <QString>

class BrowseFolderList;
class DriveList;
class PatternFileList;

// Ties together the drive, folder and file lists of a chooser, as every
// chooser uses them: choosing a drive moves the folder list to its root,
// moving the folder list lists that folder's files. A drive that cannot be
// read changes nothing: the drive list silently goes back to the drive of the
// folder shown. The drive list changes only by a choice or by setFolder().
// The lists stay the dialog's own controls; a chooser without a drive list
// passes none.
class FolderBrowser : public QObject
{
    Q_OBJECT
public:
    FolderBrowser(DriveList *drives, BrowseFolderList *folders, PatternFileList *files,
                  QObject *parent);

    QString folder() const;
    // Points the three lists at folder and its drive.
    void setFolder(const QString &folder);
    // Reads the file list again (files made meanwhile appear).
    void refreshFiles();

signals:
    // The folder list moved; the file list already shows the new folder.
    void folderChanged(const QString &folder);

private:
    void driveChosen(const QString &drive);
    void folderMoved(const QString &folder);

    DriveList *m_drives;
    BrowseFolderList *m_folders;
    PatternFileList *m_files;
};
