#pragma once
// Converts a Windows bitmap file to a JPEG file.
//
// Accepted: uncompressed 24-bit (BGR) and 32-bit (BGRX) bitmaps with a
// BITMAPINFOHEADER or one of the larger headers (V2, V3, V4, V5), stored
// bottom-up or top-down; 32-bit files may also declare BI_BITFIELDS with the
// usual masks (red 0x00FF0000, green 0x0000FF00, blue 0x000000FF).
// Everything else is refused with the status that says why.

#include <cstdint>

namespace Bmp2Jpg {

enum Status : std::int16_t {
    Ok = 0,               // the JPEG file is complete at the target path
    BadArguments = 1,     // a path is missing or empty
    CannotReadBmp = 2,    // the bitmap cannot be opened or read, or is not a regular file
    NotBmp = 3,           // no "BM" signature, or too short to hold one
    BadHeader = 4,        // unknown header size, or pixels said to start inside the headers
    BadDimensions = 5,    // zero height, width zero or negative, or beyond the limits below
                          // (a file too large to hold such a picture included)
    UnsupportedDepth = 6, // not 24 or 32 bits per pixel (palettes, 16-bit), or planes not 1
    Compressed = 7,       // RLE, embedded JPEG/PNG, or bit fields other than plain BGRX
    Truncated = 8,        // the file ends before the headers or the pixel rows do
    OutOfMemory = 9,
    EncodeFailed = 10,    // the JPEG encoder refused the picture
    CannotWriteJpg = 11,  // the temporary file cannot be made, written or renamed into place
};

// Largest side a JPEG file can hold, and a cap on the picture's area (1 GiB
// of 32-bit pixels) so that a forged header cannot ask for absurd memory.
constexpr int kMaxSide = 65500;
constexpr std::int64_t kMaxPixels = std::int64_t(1) << 28;

} // namespace Bmp2Jpg

// Reads the bitmap at bmpPath and writes it as a JPEG at jpgPath at the given
// quality (1 worst .. 100 best; any other value means 100, as the capture
// window's own rule does). The JPEG is written to a temporary file beside
// jpgPath and renamed over it, so a status of 0 means the complete file is at
// jpgPath (an older one replaced), and any other status leaves jpgPath as it
// was and no partial file behind. The bitmap is only read. Paths are
// NUL-terminated bytes as the file system takes them (what QFile::encodeName
// gives; UTF-8 on any current Linux).
extern "C" std::int16_t BMP2JPGpourVBFrance(const char *bmpPath, const char *jpgPath,
                                            std::int16_t quality);
