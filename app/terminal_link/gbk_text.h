#pragma once

#include <cstddef>
#include <string_view>

// GBK byte texts without Qt, so that the link builds with a bare Windows compiler.
namespace tavrin::terminal_link {

// Length of the GBK character starting at text[i]: 1 for ASCII or a stray byte,
// 2 for a lead byte with its trail byte, 4 for a GB18030 four-byte sequence.
std::size_t gbkCharacterLength(std::string_view text, std::size_t i);

// Whether the needle occurs in the text starting on a character boundary: a plain
// byte search would also find it across the middle of double-byte characters.
bool containsGbkText(std::string_view text, std::string_view needle);

} // namespace tavrin::terminal_link
