#include "capture/captureimport.h"

#include "capture/capturefiles.h"
#include "capture/handover.h"
#include "capture/integerpart.h"
#include "platform/platform.h"
#include "project/fileops.h"
#include "project/slideshowproject.h"

namespace CaptureImport {

void prepareHandOver(const QString &appDir, QSize proposedSize, std::int32_t &savedLeft,
                     std::int32_t &savedTop)
{
    if (const auto lines = HandOver::readLines(appDir)) {
        if (lines->size() > 2)
            savedLeft = IntegerPart(lines->at(2));
        if (lines->size() > 3)
            savedTop = IntegerPart(lines->at(3));
    }
    HandOver::write(appDir, {proposedSize.width(), proposedSize.height(), savedLeft, savedTop});
}

namespace {

void tell(Platform &platform, const QString &text, Platform::Icon icon, const QString &title)
{
    platform.message(text, Platform::Buttons::Ok, icon, title);
}

} // namespace

int takeOverCaptures(Platform &platform, const QString &appDir, SlideshowProject &project,
                     const Display &display)
{
    int taken = CaptureFiles::jpegRun(appDir);
    if (taken == 0) {
        tell(platform, QStringLiteral("Aucune capture n'a été effectuée"),
             Platform::Icon::Exclamation, QStringLiteral("Opération Annulée"));
        return 0;
    }
    taken = std::min(taken, SlideshowProject::MaxSlides - project.slideCount);
    if (taken <= 0) {
        tell(platform,
             QStringLiteral("Le diaporama est plein! Il contient déjà 200 diapos !\r\n"
                            "Supprimez des diapos avant de capturer de nouveau."),
             Platform::Icon::None, QString());
        return 0;
    }
    tell(platform,
         QStringLiteral("Vous venez de capturer %1 %2")
             .arg(taken)
             .arg(taken == 1 ? QStringLiteral("nouvelle diapo.")
                             : QStringLiteral("nouvelles diapos.")),
         Platform::Icon::None, QStringLiteral("Capture réussie"));

    for (int i = 1; i <= taken; ++i) {
        const int n = project.slideCount - 1 + i;
        project.imageTypes[n] = CaptureFiles::Jpg;
        project.slideLines[n].clear();
        // A file left there by an earlier slide goes first, so that a capture
        // that cannot be moved gives its slide without a picture rather than
        // with someone else's.
        FileOps::remove(project.imagePath(n));
        FileOps::move(CaptureFiles::path(appDir, i, CaptureFiles::Jpg), project.imagePath(n));
        if (display.showSlideCount)
            display.showSlideCount(project.slideCount + i);
    }
    // New slides are unsaved work: leaving the project must ask about them,
    // and the generated page no longer shows every slide.
    project.saved = false;
    project.htmlGenerated = false;
    project.currentSlide = project.slideCount;
    if (display.showCurrentSlide)
        display.showCurrentSlide();
    project.slideCount = std::int16_t(project.slideCount + taken);
    if (display.showSlideCount)
        display.showSlideCount(project.slideCount);
    return taken;
}

} // namespace CaptureImport
