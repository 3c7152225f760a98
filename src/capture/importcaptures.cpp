#include "capture/importcaptures.h"

#include "capture/frmce.h"
#include "output/centreonscreen.h"
#include "project/slideshowproject.h"

#include <QEventLoop>
#include <QWidget>

ImportCaptures::ImportCaptures(Platform &platform, QString appDir, const State &state,
                               QWidget &mainWindow, CaptureImport::Display display)
    : QObject(&mainWindow), m_platform(platform), m_appDir(std::move(appDir)), m_state(state),
      m_mainWindow(mainWindow), m_display(std::move(display))
{
}

void ImportCaptures::run()
{
    if (!m_state.project->loaded)
        return;
    CaptureImport::prepareHandOver(
        m_appDir, QSize(*m_state.displayWidthLimit, *m_state.displayHeightLimit),
        *m_state.savedCaptureLeft, *m_state.savedCaptureTop);

    *m_state.captureWindowClosed = false;
    m_mainWindow.hide();
    {
        // The capture window hides itself during each capture, so it is not
        // waited for as a dialog but until it has been left.
        FrmCE window(m_platform, m_appDir);
        window.setWindowModality(Qt::ApplicationModal);
        CentreOnScreen(window);
        QEventLoop left;
        connect(&window, &FrmCE::unloaded, &left, [this, &left] {
            *m_state.captureWindowClosed = true;
            left.quit();
        });
        window.show();
        left.exec();
    }
    m_mainWindow.show();

    CaptureImport::takeOverCaptures(m_platform, m_appDir, *m_state.project, m_display);
}
