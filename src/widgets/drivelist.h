#pragma once

#include <QComboBox>
#include <QStringList>

// The drive list of the choosers: the mounted volumes, each shown by its root
// folder. Choosing one with the mouse or the keyboard emits driveChosen; a
// drive set by the program emits nothing.
class DriveList : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveList(QWidget *parent = nullptr);

    // The volumes mounted now, by root folder.
    static QStringList mountedDrives();
    // The root folder of the volume that holds path.
    static QString driveOf(const QString &path);
    // Whether a drive's root folder can be listed (an unplugged or failing
    // volume cannot).
    static bool isReadable(const QString &drive);

    // Lists these drives instead (the choice stays if it is still listed).
    void setDrives(const QStringList &drives);
    QString drive() const;
    // Shows drive as chosen, adding it to the list when it is missing.
    void setDrive(const QString &drive);

signals:
    void driveChosen(const QString &drive);
};
