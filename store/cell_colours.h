#pragma once

#include "store/rgb.h"

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace tavrin {

struct CellColourEntry {
    int row = 0;
    int column = 0;
    Rgb text;
    Rgb background;

    friend bool operator==(const CellColourEntry&, const CellColourEntry&) = default;
};

// The colours of single cells of the watch list. Entries are keyed by position, not
// by stock: reloading the list neither clears nor moves them. At most one entry per
// cell; a cell without one is drawn in the list's own colours.
class CellColours {
public:
    // The list's own colours.
    static constexpr Rgb listText = colours::black;
    static constexpr Rgb listBackground = colours::white;

    // Found and both colours the list's own: the entry goes. Found otherwise: it is
    // overwritten. Not found and both the list's own: nothing. Not found otherwise:
    // a new entry. Returns whether the table changed.
    bool set(int row, int column, Rgb text, Rgb background);

    std::optional<CellColourEntry> lookup(int row, int column) const;

    // In row, then column order.
    std::vector<CellColourEntry> entries() const;
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }

private:
    std::map<std::pair<int, int>, std::pair<Rgb, Rgb>> m_entries;
};

} // namespace tavrin
