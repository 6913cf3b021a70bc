#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Window texts of X11 come as UTF-8 or Latin-1; the terminal match compares GBK.
namespace tavrin::terminal_link {

// At most maxBytes of GBK, never ending inside a character. A character GBK lacks,
// or a byte that is not UTF-8, becomes '?', as the ANSI calls of Windows write it.
std::string gbkFromUtf8(std::string_view utf8, std::size_t maxBytes);

std::string utf8FromLatin1(std::string_view latin1);

} // namespace tavrin::terminal_link
