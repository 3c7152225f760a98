#pragma once

#include <QString>

#include <cstdint>

// The number a text box or a line of the hand-over file stands for: the
// decimal number the text begins with (spaces anywhere are ignored, a sign
// and a fraction are allowed), rounded down; 0 when the text does not begin
// with a number. Values beyond the 32-bit range are held at its ends, so that
// a long row of digits typed by the user is simply out of range.
std::int32_t IntegerPart(const QString &text);
