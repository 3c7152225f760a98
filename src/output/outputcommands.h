#pragma once

#include "platform/appcontext.h"

#include <QObject>

class PictureButton;
struct SlideshowProject;

// The main window's slideshow commands: imgVisual generates the slideshow
// and shows it in the browser, imgVisuHTML shows the page last generated.
class OutputCommands : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        PictureButton *imgVisual = nullptr;
        PictureButton *imgVisuHTML = nullptr;
    };

    OutputCommands(const Controls &controls, SlideshowProject &project, const AppContext &context);

    void generate();
    void viewPage();

private:
    SlideshowProject &m_project;
    AppContext m_context;
};
