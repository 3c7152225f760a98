#include "bmp2jpg/pagebuffer.h"

#include <sys/mman.h>

namespace Bmp2Jpg {

namespace {
constexpr std::size_t kHugePage = std::size_t(2) << 20;
}

PageBuffer::PageBuffer(std::size_t size)
{
    // Whole huge pages, plus one so that the start can be moved to a boundary;
    // the slack is address space only and is never touched.
    const std::size_t pages = (size + kHugePage - 1) / kHugePage;
    if (pages > (SIZE_MAX - kHugePage) / kHugePage)
        return;
    m_mappedSize = (pages + 1) * kHugePage;
    m_mapping = ::mmap(nullptr, m_mappedSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m_mapping == MAP_FAILED) {
        m_mapping = nullptr;
        return;
    }
    const auto start = (reinterpret_cast<std::uintptr_t>(m_mapping) + kHugePage - 1) & ~(kHugePage - 1);
    m_data = reinterpret_cast<std::uint8_t *>(start);
    // Only advice: without huge pages the buffer works the same, just slower.
    ::madvise(m_data, pages * kHugePage, MADV_HUGEPAGE);
}

PageBuffer::~PageBuffer()
{
    if (m_mapping)
        ::munmap(m_mapping, m_mappedSize);
}

} // namespace Bmp2Jpg
