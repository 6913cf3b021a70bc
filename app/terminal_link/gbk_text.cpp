#include "app/terminal_link/gbk_text.h"

namespace tavrin::terminal_link {

std::size_t gbkCharacterLength(std::string_view text, std::size_t i) {
    const auto byteAt = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const std::size_t left = text.size() - i;
    const unsigned char lead = byteAt(i);
    if (lead < 0x81 || lead == 0xFF || left < 2)
        return 1;
    const unsigned char second = byteAt(i + 1);
    if (second >= 0x30 && second <= 0x39) {
        if (left >= 4 && byteAt(i + 2) >= 0x81 && byteAt(i + 2) <= 0xFE && byteAt(i + 3) >= 0x30 &&
            byteAt(i + 3) <= 0x39)
            return 4;
        return 1;
    }
    if (second >= 0x40 && second <= 0xFE && second != 0x7F)
        return 2;
    return 1;
}

bool containsGbkText(std::string_view text, std::string_view needle) {
    if (needle.empty())
        return true;
    for (std::size_t i = 0; i + needle.size() <= text.size(); i += gbkCharacterLength(text, i)) {
        if (text.substr(i, needle.size()) == needle)
            return true;
    }
    return false;
}

} // namespace tavrin::terminal_link
