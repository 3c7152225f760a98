#pragma once

#include <QComboBox>
#include <QIcon>
#include <QList>
#include <QString>

// The drive list of the choosers: the places a user picks a volume from, as a
// file manager shows them: the root of the file system, the home folder,
// removable media (under /media and /run/media) and the other volumes that
// are ready, each by its label or folder name with an icon. Items carry the
// volume's root folder. Choosing one with the mouse or the keyboard emits
// driveChosen; a drive set by the program emits nothing.
class DriveList : public QComboBox
{
    Q_OBJECT
public:
    struct Drive
    {
        QString root; // the folder the volume starts at
        QString name; // what the list shows
        QIcon icon;
    };

    explicit DriveList(QWidget *parent = nullptr);

    // The volumes a user would pick now, root and home first.
    static QList<Drive> mountedDrives();
    // The root folder of the listed volume that holds path (the deepest one),
    // else of the mounted volume that holds it.
    QString driveOf(const QString &path) const;
    // Whether a drive's root folder can be listed (an unplugged or failing
    // volume cannot).
    static bool isReadable(const QString &drive);

    // Lists these drives instead (the choice stays if it is still listed);
    // roots alone are named by their folder name.
    void setDrives(const QList<Drive> &drives);
    void setDrives(const QStringList &roots);
    // The chosen drive's root folder.
    QString drive() const;
    // Shows drive as chosen, adding it to the list when it is missing.
    void setDrive(const QString &drive);

signals:
    void driveChosen(const QString &drive);
};
