#pragma once

#include "platform/appcontext.h"

#include <QObject>
#include <QSize>

#include <cstdint>
#include <functional>

class PictureButton;
class QLabel;
class QWidget;
struct SlideshowProject;

// The main window's capture command (imgCapturer): proposes the size of the
// slide picture on show as the capture size, hides the main window while the
// capture window runs, and then takes the JPEG captures over as new slides.
class ScreenCapture : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        PictureButton *imgCapturer = nullptr;
        QLabel *lblNbDiapo = nullptr; // the slide count
    };
    // What the slide display offers the import.
    struct SlideView
    {
        std::function<void()> showCurrentSlide; // ShowCurrentSlide
        std::function<QSize()> pictureSize;     // of the slide last shown; 600 x 350 before
    };

    // mainWindow is hidden while the capture window runs.
    ScreenCapture(const Controls &controls, SlideshowProject &project, const AppContext &context,
                  QWidget &mainWindow, SlideView slides);

    // The release of imgCapturer; nothing while no project is open.
    void ImportCaptures();

private:
    Controls m_controls;
    SlideshowProject &m_project;
    AppContext m_context;
    QWidget &m_mainWindow;
    SlideView m_slides;
    // The frame's position in twips, kept from one capture run to the next
    // (-999: not set, the frame opens centred).
    std::int32_t m_savedCaptureLeft = -999;
    std::int32_t m_savedCaptureTop = -999;
};
