#pragma once

#include <vector>

// The order the slide sorter builds: at(p) is the index, before sorting, of
// the slide shown at position p. A slide is moved in two clicks: cut() parks
// it at the last position (the positions after it move up by one), then
// insert() puts it before a position counted without it, or exchange()
// swaps it with another slide. While a slide is parked it is not shown.
class SlideOrder
{
public:
    // The identity order of count slides, nothing cut.
    void reset(int count);

    int count() const { return int(m_order.size()); }
    int at(int position) const { return m_order[std::size_t(position)]; }
    const std::vector<int> &order() const { return m_order; }

    bool cutPending() const { return m_cutPending; }
    int cutPosition() const { return m_cutPosition; }
    // The last position holds the cut slide while a cut is pending.
    bool isParked(int position) const { return m_cutPending && position == count() - 1; }

    // Parks the slide at position.
    void cut(int position);
    // Puts the cut slide back, then swaps it with the slide at position
    // (counted without the cut slide).
    void exchange(int position);
    // Puts the cut slide at position (counted without it); the last position
    // leaves it at the end.
    void insert(int position);

private:
    std::vector<int> m_order;
    bool m_cutPending = false;
    int m_cutPosition = 0;
};
