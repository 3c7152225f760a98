#include "capture/screencapture.h"

#include "capture/captureimport.h"
#include "capture/frmce.h"
#include "project/slideshowproject.h"
#include "widgets/centreonscreen.h"
#include "widgets/picturebutton.h"

#include <QEventLoop>
#include <QLabel>

ScreenCapture::ScreenCapture(const Controls &controls, SlideshowProject &project,
                             const AppContext &context, QWidget &mainWindow, SlideView slides)
    : m_controls(controls)
    , m_project(project)
    , m_context(context)
    , m_mainWindow(mainWindow)
    , m_slides(std::move(slides))
{
    connect(m_controls.imgCapturer, &PictureButton::released, this, &ScreenCapture::ImportCaptures);
}

void ScreenCapture::ImportCaptures()
{
    if (!m_project.loaded)
        return;
    const QSize proposed = m_slides.pictureSize ? m_slides.pictureSize() : QSize(600, 350);
    CaptureImport::prepareHandOver(m_context.appDir, proposed, m_savedCaptureLeft,
                                   m_savedCaptureTop);

    m_mainWindow.hide();
    {
        // The capture window hides itself during each capture, so it is not
        // waited for as a dialog but until it has been left.
        FrmCE window(m_context);
        window.setWindowModality(Qt::ApplicationModal);
        CentreOnScreen(window);
        QEventLoop left;
        connect(&window, &FrmCE::unloaded, &left, &QEventLoop::quit);
        window.show();
        left.exec();
    }
    m_mainWindow.show();

    QLabel *count = m_controls.lblNbDiapo;
    CaptureImport::takeOverCaptures(m_context.platform, m_context.appDir, m_project,
                                    {m_slides.showCurrentSlide, [count](int slides) {
                                         count->setText(QString::number(slides));
                                     }});
}
