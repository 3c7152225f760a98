#include "bmp2jpg/bmpreader.h"

namespace Bmp2Jpg {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::size_t kMaskBytes = 12;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

std::uint16_t u16(const std::uint8_t *p)
{
    return std::uint16_t(p[0] | p[1] << 8);
}

std::uint32_t u32(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16
           | std::uint32_t(p[3]) << 24;
}

// BITMAPINFOHEADER and its later extensions (V2 and V3 add the bit masks,
// V4 the colour space, V5 the profile); the old 12-byte core header is not taken.
bool knownHeaderSize(std::uint32_t size)
{
    return size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 || size == 124;
}

} // namespace

Status readBmp(const std::uint8_t *file, std::size_t size, BmpPixels &pixels)
{
    if (size < 2 || file[0] != 'B' || file[1] != 'M')
        return NotBmp;
    if (size < kFileHeaderSize + 4)
        return Truncated;
    const std::uint32_t headerSize = u32(file + kFileHeaderSize);
    if (!knownHeaderSize(headerSize))
        return BadHeader;
    std::size_t headersEnd = kFileHeaderSize + headerSize;
    if (size < headersEnd)
        return Truncated;

    const std::uint8_t *info = file + kFileHeaderSize;
    const auto width = std::int32_t(u32(info + 4));
    const auto storedHeight = std::int32_t(u32(info + 8));
    const std::uint16_t planes = u16(info + 12);
    const std::uint16_t bits = u16(info + 14);
    const std::uint32_t compression = u32(info + 16);

    if (compression == kBiBitfields && bits == 32) {
        // The masks follow a plain info header and sit inside the larger ones.
        if (headerSize == kInfoHeaderSize) {
            headersEnd += kMaskBytes;
            if (size < headersEnd)
                return Truncated;
        }
        const std::uint8_t *masks = info + kInfoHeaderSize;
        if (u32(masks) != 0x00FF0000 || u32(masks + 4) != 0x0000FF00 || u32(masks + 8) != 0x000000FF)
            return Compressed;
    } else if (compression != kBiRgb) {
        return Compressed;
    }
    if (planes != 1 || (bits != 24 && bits != 32))
        return UnsupportedDepth;

    // A negative height marks a top-down file; 64 bits keep INT32_MIN harmless.
    const std::int64_t height = storedHeight < 0 ? -std::int64_t(storedHeight) : storedHeight;
    if (width <= 0 || height == 0 || width > kMaxSide || height > kMaxSide
        || std::int64_t(width) * height > kMaxPixels)
        return BadDimensions;

    const std::uint32_t offset = u32(file + 10);
    if (offset < headersEnd)
        return BadHeader;
    const int bytesPerPixel = bits / 8;
    const std::uint64_t rowBytes = std::uint64_t(width) * bytesPerPixel;
    const std::uint64_t pitch = (rowBytes + 3) & ~std::uint64_t(3);
    // The last row's padding may be missing; its pixels may not.
    if (offset > size || size - offset < pitch * std::uint64_t(height - 1) + rowBytes)
        return Truncated;

    pixels.rows = file + offset;
    pixels.width = width;
    pixels.height = int(height);
    pixels.pitch = int(pitch);
    pixels.bytesPerPixel = bytesPerPixel;
    pixels.bottomUp = storedHeight > 0;
    return Ok;
}

} // namespace Bmp2Jpg
