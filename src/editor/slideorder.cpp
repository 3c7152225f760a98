#include "editor/slideorder.h"

#include <algorithm>
#include <numeric>
#include <utility>

void SlideOrder::reset(int count)
{
    m_order.resize(std::size_t(std::max(count, 0)));
    std::iota(m_order.begin(), m_order.end(), 0);
    m_cutPending = false;
    m_cutPosition = 0;
}

void SlideOrder::cut(int position)
{
    m_cutPending = true;
    m_cutPosition = position;
    // Moving the slide to the end shifts the ones after it up by one.
    std::rotate(m_order.begin() + position, m_order.begin() + position + 1, m_order.end());
}

void SlideOrder::exchange(int position)
{
    m_cutPending = false;
    std::rotate(m_order.begin() + m_cutPosition, m_order.end() - 1, m_order.end());
    // A position counted without the cut slide, in the full order.
    const int other = position >= m_cutPosition ? position + 1 : position;
    std::swap(m_order[std::size_t(other)], m_order[std::size_t(m_cutPosition)]);
}

void SlideOrder::insert(int position)
{
    m_cutPending = false;
    std::rotate(m_order.begin() + position, m_order.end() - 1, m_order.end());
}
