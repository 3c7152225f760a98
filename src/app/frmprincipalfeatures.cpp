// The feature controllers of the main window. Each feature folder provides a
// controller that connects itself to the window's public controls; it is
// created here, once, after the window's start-up, and owned by the window.
#include "app/frmprincipal.h"
#include "app/picturebutton.h"
#include "capture/importcaptures.h"
#include "captions/captioncontroller.h"
#include "captions/captioncommands.h"
#include "output/outputcommands.h"
#include "output/templatecommands.h"

#include <QLabel>

void FrmPrincipal::connectFeatures()
{
    new CaptionController(*this);
    new OutputCommands(*this);
    new CaptionCommands(*this);
    new TemplateCommands(*this);

    // The slide display is not part of this window yet: the first new slide
    // is shown once it provides ShowCurrentSlide.
    CaptureImport::Display slides;
    slides.showSlideCount = [this](int count) { lblNbDiapo->setText(QString::number(count)); };
    auto *capture = new ImportCaptures(m_platform, m_appDir,
                                       {&project, &displayWidthLimit, &displayHeightLimit,
                                        &savedCaptureLeft, &savedCaptureTop,
                                        &captureWindowClosed},
                                       *this, slides);
    connect(imgCapturer, &PictureButton::released, capture, &ImportCaptures::run);
}
