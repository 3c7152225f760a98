#pragma once

#include <QImage>
#include <QObject>
#include <QString>

#include <optional>

class FrmCE;
class Platform;

// The work behind the capture window's command buttons: take a capture
// (the whole screen, or the area of the frame window), save it as
// ScreenShot_<n>.bmp and convert it to JPEG; convert the last one again;
// delete captures; leave with the settings kept or reset.
class CaptureCommands : public QObject
{
    Q_OBJECT
public:
    CaptureCommands(Platform &platform, QString appDir, FrmCE &window);

    void takeCapture();    // Command1(0)
    void leave();          // Command1(1)
    void deleteAll();      // Command1(2)
    void deleteBmp();      // Command1(3)
    void recreateJpeg();   // cmdRefaire

private:
    std::optional<QImage> copyWholeScreen();
    std::optional<QImage> copyThroughFrame();
    bool saveBmp(const QImage &copy);
    void showCaptureResult();
    bool convert();
    void waitForTicks(int ticks);
    void alert(const QString &text, bool stopIcon = false);

    Platform &m_platform;
    QString m_appDir;
    FrmCE &m_window;
    int m_timerTicks = 0;
};
