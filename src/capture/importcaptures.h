#pragma once

#include "capture/captureimport.h"

#include <QObject>
#include <QString>

#include <cstdint>

class Platform;
class QWidget;
struct SlideshowProject;

// The main window's capture command: proposes the size of the slide on show
// as the capture size, hides the main window while the capture window runs,
// and then takes the JPEG captures over as new slides.
class ImportCaptures : public QObject
{
    Q_OBJECT
public:
    // Values of the main window read and written here.
    struct State
    {
        SlideshowProject *project = nullptr;
        const std::int32_t *displayWidthLimit = nullptr;   // proposed capture size
        const std::int32_t *displayHeightLimit = nullptr;
        std::int32_t *savedCaptureLeft = nullptr;   // frame position kept between runs
        std::int32_t *savedCaptureTop = nullptr;
        bool *captureWindowClosed = nullptr;
    };

    // mainWindow is hidden while the capture window runs.
    ImportCaptures(Platform &platform, QString appDir, const State &state, QWidget &mainWindow,
                   CaptureImport::Display display);

    // The action of imgCapturer; nothing while no project is open.
    void run();

private:
    Platform &m_platform;
    QString m_appDir;
    State m_state;
    QWidget &m_mainWindow;
    CaptureImport::Display m_display;
};
