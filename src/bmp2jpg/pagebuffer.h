#pragma once
// A buffer of a few megabytes for pixels or JPEG bytes, in huge pages where
// the system offers them. Fresh memory costs one page fault per 4 KiB page on
// first touch; for a full-screen bitmap those faults took longer than the JPEG
// encoding itself, and 2 MiB pages cut them to a handful.

#include <cstddef>
#include <cstdint>

namespace Bmp2Jpg {

class PageBuffer
{
public:
    explicit PageBuffer(std::size_t size);
    ~PageBuffer();
    PageBuffer(const PageBuffer &) = delete;
    PageBuffer &operator=(const PageBuffer &) = delete;

    // Null when the memory could not be had.
    std::uint8_t *data() const { return m_data; }

private:
    void *m_mapping = nullptr;
    std::size_t m_mappedSize = 0;
    std::uint8_t *m_data = nullptr;
};

} // namespace Bmp2Jpg
