#include "output/captionbreaks.h"

#include "project/slideshowproject.h"

#include <algorithm>

namespace {
const QString kBreak = QStringLiteral("<br>");
} // namespace

int CaptionBreaks::count(const QString &caption)
{
    return int(caption.count(kBreak, Qt::CaseSensitive));
}

void PadCaptionBreaks(SlideshowProject &project)
{
    const int slides = project.boundedSlideCount();
    int maxBreaks = 0;
    for (int i = 0; i < slides; ++i)
        maxBreaks = std::max(maxBreaks, CaptionBreaks::count(project.slideLines[i]));
    for (int i = 0; i < slides; ++i) {
        QString &caption = project.slideLines[i];
        caption += kBreak.repeated(maxBreaks - CaptionBreaks::count(caption));
    }
}
