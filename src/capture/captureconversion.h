#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Turning a BMP capture into its JPEG twin through the converter library.
namespace CaptureConversion {

// The quality a conversion uses for the text of the quality box: its integer
// part when within 1..100, else 100, in which case the box is to show "100".
struct Quality
{
    std::int16_t value = 100;
    bool corrected = false;
};
Quality qualityFromText(const QString &text);

struct Result
{
    std::int16_t status = 0;       // the converter's status, 0 when the JPEG was written
    std::optional<QString> weight; // the JPEG's weight text when it was written
    bool succeeded() const { return status == 0; }
};

// Converts capture n of appDir from ".bmp" to ".jpg"; the BMP is left alone.
Result convert(const QString &appDir, int n, std::int16_t quality);

} // namespace CaptureConversion
