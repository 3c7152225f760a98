#pragma once

#include "platform/appcontext.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <optional>

class FrmCE;

// The work behind the capture window's command buttons: take a capture
// (the whole screen, or the area of the frame window), save it as
// ScreenShot_<n>.bmp and convert it to JPEG; convert the last one again;
// delete captures; leave with the settings kept or reset.
class CaptureCommands : public QObject
{
    Q_OBJECT
public:
    CaptureCommands(const AppContext &context, FrmCE &window);

    void takeCapture();  // takeButton
    void leave();        // leaveButton
    void deleteAll();    // deleteAllButton
    void deleteBmp();    // deleteBmpButton
    void recreateJpeg(); // cmdRefaire

private:
    std::optional<QImage> copyWholeScreen();
    std::optional<QImage> copyThroughFrame();
    bool saveBmp(const QImage &copy);
    void showCaptureResult();
    bool convert();
    void waitForTicks(int ticks);
    void alert(const QString &text, bool stopIcon = false);

    Platform &m_platform;
    QString m_appDir; // where the capture files are
    FrmCE &m_window;
    int m_timerTicks = 0;
};
