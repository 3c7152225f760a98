#pragma once

#include <QColor>
#include <QString>

// The colours of a page design's caption area, as the audience sees them:
// the background the caption lies on and the colour of text that sets none.
// A design declares them in its head, so that the editor can show captions
// the way the page will without a browser:
//   <meta name="lumivue-caption-background" content="#rrggbb">
//   <meta name="lumivue-caption-color" content="#rrggbb">
namespace CaptionColours {

struct Colours
{
    QColor background;
    QColor text;
    // False when the page lacks a declaration (an older or hand-made page):
    // then the colours are the browser's own defaults, black on white.
    bool declared = false;
};

// The colours the page text declares; a missing or unreadable value falls
// back to the browser default of its kind.
Colours fromPageText(const QString &pageText);

// The colours of a page file; the browser defaults when it cannot be read.
Colours fromPageFile(const QString &path);

// Contrast ratio of two opaque colours, 1 (same) to 21 (black on white), the
// way accessibility guidelines measure legibility.
double contrastRatio(const QColor &a, const QColor &b);

} // namespace CaptionColours
