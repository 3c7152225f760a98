// Reads arbitrary bytes as a bitmap file. Whatever the headers claim, the
// rows of an accepted file must lie inside the file (every byte of them is
// read here, under the address sanitizer), and the JPEG encoder must take the
// picture as the reader describes it.
#include "bmp2jpg/bmpreader.h"

#include <turbojpeg.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

static void fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Bmp2Jpg::BmpPixels pixels;
    if (Bmp2Jpg::readBmp(data, size, pixels) != Bmp2Jpg::Ok)
        return 0;
    if (pixels.width <= 0 || pixels.height <= 0 || pixels.pitch < pixels.width * pixels.bytesPerPixel)
        fail("accepted picture has no size or overlapping rows");

    const std::size_t rowBytes = std::size_t(pixels.width) * std::size_t(pixels.bytesPerPixel);
    volatile unsigned sum = 0;
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t *row = pixels.row(y);
        if (row < data || row + rowBytes > data + size)
            fail("row outside the file");
        for (std::size_t i = 0; i < rowBytes; ++i)
            sum = sum + row[i];
    }

    // The encoder is not instrumented, so only small pictures go through it,
    // to check that it accepts what the reader hands over.
    if (std::int64_t(pixels.width) * pixels.height > 1 << 16)
        return 0;
    tjhandle handle = tjInitCompress();
    unsigned char *jpeg = nullptr;
    unsigned long jpegSize = 0;
    const int result = tjCompress2(handle, pixels.rows, pixels.width, pixels.pitch, pixels.height,
                                   pixels.bytesPerPixel == 3 ? TJPF_BGR : TJPF_BGRX, &jpeg, &jpegSize,
                                   TJSAMP_420, 75, pixels.bottomUp ? TJFLAG_BOTTOMUP : 0);
    tjFree(jpeg);
    tjDestroy(handle);
    if (result != 0)
        fail("encoder refused an accepted picture");
    return 0;
}
