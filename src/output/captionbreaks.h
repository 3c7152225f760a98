#pragma once

#include <QString>

struct SlideshowProject;

// The slideshow page shows every caption in a box of one height, so the
// script's captions all carry as many "<br>" as the longest one.
namespace CaptionBreaks {

// Occurrences of "<br>" (exact case); "|" and "<BR>" are not counted.
int count(const QString &caption);

} // namespace CaptionBreaks

// Appends "<br>" to every caption of the project that has fewer than the
// caption with the most, so that all have the same count. The added breaks
// stay in the captions; the saved flag is left alone.
void PadCaptionBreaks(SlideshowProject &project);
