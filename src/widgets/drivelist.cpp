#include "widgets/drivelist.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStyle>

namespace {

// Folders where the system keeps volumes of its own (boot, packages,
// run-time files): a file manager does not offer them, and neither do we.
bool isSystemFolder(const QString &root)
{
    static const QStringList system = {"/boot", "/efi", "/snap", "/usr", "/var", "/opt",
                                       "/srv",  "/tmp", "/proc", "/sys", "/dev", "/run"};
    for (const QString &folder : system)
        if (root == folder || root.startsWith(folder + QLatin1Char('/')))
            return true;
    return false;
}

bool isRemovableFolder(const QString &root)
{
    for (const char *folder : {"/media/", "/run/media/", "/mnt/"})
        if (root.startsWith(QLatin1String(folder)))
            return true;
    return false;
}

QString folderName(const QString &root)
{
    const QString name = QFileInfo(root).fileName();
    return name.isEmpty() ? QDir::toNativeSeparators(root) : name;
}

QIcon themed(const char *name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QLatin1String(name), QApplication::style()->standardIcon(fallback));
}

} // namespace

DriveList::DriveList(QWidget *parent)
    : QComboBox(parent)
{
    setDrives(mountedDrives());
    connect(this, &QComboBox::activated, this,
            [this](int index) { emit driveChosen(itemData(index).toString()); });
}

QList<DriveList::Drive> DriveList::mountedDrives()
{
    const QString home = QDir::homePath();
    QList<Drive> drives{
        {QDir::rootPath(), QStringLiteral("Système de fichiers"),
         themed("drive-harddisk", QStyle::SP_DriveHDIcon)},
        {home, QStringLiteral("Dossier personnel"), themed("user-home", QStyle::SP_DirHomeIcon)},
    };
    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo &a, const QStorageInfo &b) {
        return a.rootPath() < b.rootPath();
    });
    for (const QStorageInfo &volume : std::as_const(volumes)) {
        const QString root = volume.rootPath();
        const bool removable = isRemovableFolder(root);
        // Real volumes only: a device or the removable media folders, never
        // the system's own mounts, nor the ones already listed.
        if (!volume.isValid() || !volume.isReady() || root == QDir::rootPath() || root == home
            || (!removable && (isSystemFolder(root) || !volume.device().startsWith("/dev/"))))
            continue;
        const QString label = volume.name();
        drives.append({root, label.isEmpty() ? folderName(root) : label,
                       removable ? themed("drive-removable-media", QStyle::SP_DriveFDIcon)
                                 : themed("drive-harddisk", QStyle::SP_DriveHDIcon)});
    }
    return drives;
}

QString DriveList::driveOf(const QString &path) const
{
    const QString cleaned = QDir::cleanPath(QDir(path).absolutePath());
    QString best;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemData(i).toString();
        const bool holds = cleaned == root
            || cleaned.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
        if (holds && root.size() > best.size())
            best = root;
    }
    if (!best.isEmpty())
        return best;
    const QStorageInfo volume(cleaned);
    return volume.isValid() ? volume.rootPath() : QDir(cleaned).rootPath();
}

bool DriveList::isReadable(const QString &drive)
{
    const QFileInfo root(drive);
    return root.isDir() && root.isReadable() && root.isExecutable();
}

void DriveList::setDrives(const QList<Drive> &drives)
{
    const QString chosen = drive();
    clear();
    for (const Drive &d : drives) {
        addItem(d.icon, d.name, d.root);
        setItemData(count() - 1, QDir::toNativeSeparators(d.root), Qt::ToolTipRole);
    }
    if (!chosen.isEmpty())
        setDrive(chosen);
}

void DriveList::setDrives(const QStringList &roots)
{
    QList<Drive> drives;
    for (const QString &root : roots)
        drives.append({root, folderName(root), themed("drive-harddisk", QStyle::SP_DriveHDIcon)});
    setDrives(drives);
}

QString DriveList::drive() const { return currentData().toString(); }

void DriveList::setDrive(const QString &drive)
{
    int index = findData(drive);
    if (index < 0) {
        addItem(themed("drive-harddisk", QStyle::SP_DriveHDIcon), folderName(drive), drive);
        index = count() - 1;
    }
    setCurrentIndex(index);
}
