#pragma once

#include <QObject>
#include <QString>

class Platform;
class PictureButton;
class QWidget;

// The main window's help keys: imgHelp opens the help's contents, imgDidact
// the tutorial, imgInfo shows the about window.
class HelpCommands : public QObject
{
    Q_OBJECT
public:
    struct Buttons
    {
        PictureButton *imgHelp = nullptr;
        PictureButton *imgDidact = nullptr;
        PictureButton *imgInfo = nullptr;
    };
    // window: the owner of the about window.
    HelpCommands(const Buttons &buttons, Platform &platform, QString appDir, QWidget *window);

    // The about window, modally; it is a fresh one each time.
    void showAbout();

private:
    Platform &m_platform;
    QString m_appDir;
    QWidget *m_window;
};
