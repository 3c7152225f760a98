#include "widgets/folderbrowser.h"

#include "widgets/browsefolderlist.h"
#include "widgets/drivelist.h"
#include "widgets/patternfilelist.h"

FolderBrowser::FolderBrowser(DriveList *drives, BrowseFolderList *folders, PatternFileList *files,
                             QObject *parent)
    : QObject(parent)
    , m_drives(drives)
    , m_folders(folders)
    , m_files(files)
{
    if (m_drives)
        connect(m_drives, &DriveList::driveChosen, this, &FolderBrowser::driveChosen);
    connect(m_folders, &BrowseFolderList::pathChanged, this, &FolderBrowser::folderMoved);
}

QString FolderBrowser::folder() const { return m_folders->path(); }

void FolderBrowser::setFolder(const QString &folder)
{
    if (m_drives)
        m_drives->setDrive(DriveList::driveOf(folder));
    m_folders->setPath(folder);
    // The folder list moves only to another folder; the file list follows it either way.
    if (m_files->folder() != m_folders->path())
        folderMoved(m_folders->path());
}

void FolderBrowser::refreshFiles() { m_files->setFolder(m_folders->path()); }

void FolderBrowser::driveChosen(const QString &drive)
{
    if (DriveList::isReadable(drive))
        m_folders->setPath(drive);
    else
        m_drives->setDrive(DriveList::driveOf(m_folders->path()));
}

void FolderBrowser::folderMoved(const QString &folder)
{
    m_files->setFolder(folder);
    emit folderChanged(folder);
}
