#pragma once

#include "platform/appcontext.h"

#include <QObject>

class PictureButton;
class QWidget;

// The main window's help keys: imgHelp opens the help's table of contents,
// imgDidact the tutorial, imgInfo shows the about window.
class HelpCommands : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        PictureButton *imgHelp = nullptr;
        PictureButton *imgDidact = nullptr;
        PictureButton *imgInfo = nullptr;
    };
    // window: the owner of the about window.
    HelpCommands(const Controls &controls, const AppContext &context, QWidget *window);

    // The about window, modally; a fresh one each time.
    void showAbout();

private:
    AppContext m_context;
    QWidget *m_window;
};
