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
};

// The colours a page file declares. A page that lacks a declaration (an
// older or hand-made page) or cannot be read gets the browser's own
// defaults, black on white, for what it lacks.
Colours fromPageFile(const QString &path);

} // namespace CaptionColours
