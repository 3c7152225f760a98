#pragma once

#include <QString>

#include <cstdint>

class QColor;

// Colour values are 0x00BBGGRR (red in the lowest byte); their text form is
// "#RRGGBB" with upper-case digits.

// "#" and the red, green and blue digit pairs of the value's hexadecimal text
// (padded to six digits). A value of more than six digits keeps the same
// character positions, so its highest digits come out last.
QString ColourToHtml(std::uint32_t colour);

// The value of an "RRGGBB" text (no "#"): its pairs are read back as BBGGRR;
// reading stops at the first character that is not a hexadecimal digit and
// keeps what was read (nothing read gives 0).
std::uint32_t HtmlToColour(const QString &text);

// The colour value of a QColor (its alpha ignored), and the QColor of a value
// (bits above the 24 of the colour ignored).
std::uint32_t colourValue(const QColor &colour);
QColor colourOf(std::uint32_t value);

// The value of the hexadecimal digits at the start of text (0 when none);
// stops at the first other character or after eight digits.
std::uint32_t leadingHexValue(const QString &text);
