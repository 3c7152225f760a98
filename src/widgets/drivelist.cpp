#include "widgets/drivelist.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

DriveList::DriveList(QWidget *parent)
    : QComboBox(parent)
{
    setDrives(mountedDrives());
    connect(this, &QComboBox::activated, this,
            [this](int index) { emit driveChosen(itemText(index)); });
}

QStringList DriveList::mountedDrives()
{
    QStringList drives;
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &volume : volumes) {
        if (volume.isValid() && !drives.contains(volume.rootPath()))
            drives.append(volume.rootPath());
    }
    drives.sort();
    return drives;
}

QString DriveList::driveOf(const QString &path)
{
    const QStorageInfo volume(path);
    return volume.isValid() ? volume.rootPath() : QDir(path).rootPath();
}

bool DriveList::isReadable(const QString &drive)
{
    const QFileInfo root(drive);
    return root.isDir() && root.isReadable() && root.isExecutable();
}

void DriveList::setDrives(const QStringList &drives)
{
    const QString chosen = drive();
    clear();
    addItems(drives);
    if (!chosen.isEmpty())
        setDrive(chosen);
}

QString DriveList::drive() const { return currentText(); }

void DriveList::setDrive(const QString &drive)
{
    int index = findText(drive, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        addItem(drive);
        index = count() - 1;
    }
    setCurrentIndex(index);
}
