#include "bmp2jpg/bmp2jpg.h"
#include "bmp2jpg/bmpreader.h"
#include "bmp2jpg/pagebuffer.h"

#include <turbojpeg.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Bmp2Jpg {

namespace {

// Colour at half resolution both ways is the usual trade for smaller files,
// but it blurs coloured text and thin lines, which screens are full of; a high
// quality asks for those to stay sharp.
int subsampling(int quality)
{
    return quality >= 90 ? TJSAMP_444 : TJSAMP_420;
}

// Opened without waiting: a FIFO in the file's place would otherwise keep the
// open waiting for a writer; the fstat below then refuses it. Reads of a
// regular file are the same with or without the flag.
struct ReadOnlyFile {
    explicit ReadOnlyFile(const char *path) : fd(::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK))
    {
    }
    ~ReadOnlyFile()
    {
        if (fd >= 0)
            ::close(fd);
    }
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;
    const int fd;
};

// The whole file in one read: the encoder then works straight from it.
Status readWholeFile(const char *path, std::unique_ptr<PageBuffer> &bytes, std::size_t &size)
{
    const ReadOnlyFile bmp(path);
    struct stat info {};
    if (bmp.fd < 0 || ::fstat(bmp.fd, &info) != 0 || !S_ISREG(info.st_mode))
        return CannotReadBmp;
    // Larger than the largest picture that would be accepted: refused unread.
    if (std::uint64_t(info.st_size) > std::uint64_t(kMaxPixels) * 4 + (1 << 16))
        return BadDimensions;
    size = std::size_t(info.st_size);
    bytes = std::make_unique<PageBuffer>(size);
    if (!bytes->data())
        return OutOfMemory;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(bmp.fd, bytes->data() + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return CannotReadBmp; // an error, or the file shrank while we read it
        done += std::size_t(n);
    }
    return Ok;
}

struct TjDestroyer {
    void operator()(void *handle) const { tjDestroy(handle); }
};

// Into a buffer of the encoder's own worst-case size, so that it never
// reallocates (and the buffer can be in huge pages).
Status encode(const BmpPixels &pixels, int quality, std::unique_ptr<PageBuffer> &jpeg,
              unsigned long &jpegSize)
{
    const std::unique_ptr<void, TjDestroyer> handle(tjInitCompress());
    const int chroma = subsampling(quality);
    jpegSize = tjBufSize(pixels.width, pixels.height, chroma);
    if (jpegSize == static_cast<unsigned long>(-1))
        return EncodeFailed;
    jpeg = std::make_unique<PageBuffer>(jpegSize);
    if (!handle || !jpeg->data())
        return OutOfMemory;
    unsigned char *out = jpeg->data();
    const int flags = TJFLAG_NOREALLOC | (pixels.bottomUp ? TJFLAG_BOTTOMUP : 0);
    const int format = pixels.bytesPerPixel == 3 ? TJPF_BGR : TJPF_BGRX;
    return tjCompress2(handle.get(), pixels.rows, pixels.width, pixels.pitch, pixels.height, format,
                       &out, &jpegSize, chroma, quality, flags) == 0
               ? Ok
               : EncodeFailed;
}

bool writeAll(int fd, const unsigned char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

// A temporary file in the target's folder, renamed over the target once it is
// complete: the target is either the old file or the whole new one.
Status writeBeside(const char *target, const unsigned char *data, std::size_t size)
{
    static std::atomic<unsigned> serial{0};
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = std::string(target) + ".part" + std::to_string(::getpid()) + '-'
                    + std::to_string(serial++);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return CannotWriteJpg;
    }
    if (fd < 0)
        return CannotWriteJpg;
    const bool written = writeAll(fd, data, size);
    if (::close(fd) == 0 && written && std::rename(temporary.c_str(), target) == 0)
        return Ok;
    ::unlink(temporary.c_str());
    return CannotWriteJpg;
}

Status convert(const char *bmpPath, const char *jpgPath, int quality)
{
    if (!bmpPath || !jpgPath || !*bmpPath || !*jpgPath)
        return BadArguments;
    std::unique_ptr<PageBuffer> file;
    std::size_t size = 0;
    if (const Status s = readWholeFile(bmpPath, file, size); s != Ok)
        return s;
    BmpPixels pixels;
    if (const Status s = readBmp(file->data(), size, pixels); s != Ok)
        return s;
    std::unique_ptr<PageBuffer> jpeg;
    unsigned long jpegSize = 0;
    if (const Status s = encode(pixels, quality, jpeg, jpegSize); s != Ok)
        return s;
    return writeBeside(jpgPath, jpeg->data(), jpegSize);
}

} // namespace

} // namespace Bmp2Jpg

extern "C" std::int16_t BMP2JPGpourVBFrance(const char *bmpPath, const char *jpgPath,
                                            std::int16_t quality)
{
    const int q = quality >= 1 && quality <= 100 ? quality : 100;
    try {
        return Bmp2Jpg::convert(bmpPath, jpgPath, q);
    } catch (const std::bad_alloc &) {
        return Bmp2Jpg::OutOfMemory;
    }
}
