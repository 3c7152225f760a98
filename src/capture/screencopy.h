#pragma once

#include <QImage>
#include <QSize>

// A copy of the screen as the desktop gave it, made exactly `size` device
// pixels: the desktop may give a little more (a hole rounded up to whole
// logical pixels on a scaled screen) or less (an area partly off the screen,
// which then stays black). A refused copy (null) stays null.
QImage ExactScreenCopy(const QImage &grabbed, QSize size);

// The copy as a Windows bitmap file's bytes; empty when it cannot be encoded.
QByteArray BitmapBytes(const QImage &image);
