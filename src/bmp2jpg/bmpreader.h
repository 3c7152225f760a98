#pragma once
// Finds the pixels of a Windows bitmap file held in memory, without copying
// them, after checking every header field against the file's length.

#include "bmp2jpg/bmp2jpg.h"

#include <cstddef>
#include <cstdint>

namespace Bmp2Jpg {

struct BmpPixels {
    const std::uint8_t *rows = nullptr; // first row as stored in the file
    int width = 0;
    int height = 0;
    int pitch = 0;         // bytes from one stored row to the next, padding included
    int bytesPerPixel = 0; // 3: blue, green, red; 4: blue, green, red, unused
    bool bottomUp = false; // the first stored row is the bottom of the picture

    // Row y counted from the top of the picture; width * bytesPerPixel bytes.
    const std::uint8_t *row(int y) const
    {
        return rows + std::ptrdiff_t(bottomUp ? height - 1 - y : y) * pitch;
    }
};

Status readBmp(const std::uint8_t *file, std::size_t size, BmpPixels &pixels);

} // namespace Bmp2Jpg
