#pragma once

#include <cstddef>
#include <string_view>

namespace tavrin::terminal_link {

enum class Terminal {
    Dazhihui,  // 大智慧, the default
    Tongdaxin, // 通达信, chosen with 联动通达信
};

inline constexpr Terminal terminalFor(bool tongdaxinChecked) {
    return tongdaxinChecked ? Terminal::Tongdaxin : Terminal::Dazhihui;
}

// Window texts are read into 255-byte buffers: up to the first zero, at most 254 bytes.
inline constexpr std::size_t windowTextLimit = 254;
std::string_view windowTextAsRead(std::string_view text);

// Title and class are GBK bytes; both are cut as the buffers of the original calls cut them.
bool isTerminalWindow(Terminal terminal, std::string_view title, std::string_view windowClass);

} // namespace tavrin::terminal_link
