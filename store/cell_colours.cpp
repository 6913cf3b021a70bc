#include "store/cell_colours.h"

namespace tavrin {

bool CellColours::set(int row, int column, Rgb text, Rgb background) {
    const bool listOwn = text == listText && background == listBackground;
    const auto key = std::make_pair(row, column);
    const auto found = m_entries.find(key);
    if (found == m_entries.end()) {
        if (listOwn)
            return false;
        m_entries.emplace(key, std::make_pair(text, background));
        return true;
    }
    if (listOwn) {
        m_entries.erase(found);
        return true;
    }
    const auto colours = std::make_pair(text, background);
    if (found->second == colours)
        return false;
    found->second = colours;
    return true;
}

std::optional<CellColourEntry> CellColours::lookup(int row, int column) const {
    const auto found = m_entries.find(std::make_pair(row, column));
    if (found == m_entries.end())
        return std::nullopt;
    return CellColourEntry{row, column, found->second.first, found->second.second};
}

std::vector<CellColourEntry> CellColours::entries() const {
    std::vector<CellColourEntry> result;
    result.reserve(m_entries.size());
    for (const auto& [key, colours] : m_entries)
        result.push_back(CellColourEntry{key.first, key.second, colours.first, colours.second});
    return result;
}

} // namespace tavrin
