#pragma once

#include "app/terminal_link/window_directory.h"

#include <cstdint>
#include <string_view>

namespace tavrin::terminal_link {

// The caller's box when no terminal window was found (UTF-8).
inline constexpr char noTerminalText[] = "请打开大智慧！或按确定键继续查看";
inline constexpr char noTerminalCaption[] = "信息：";

// The name the message is registered under; terminals listen for it.
inline constexpr char stockMessageName[] = "Stock";

struct HandOff {
    enum class Outcome {
        CodeTooShort, // fewer than 6 bytes: nothing done, nothing shown
        CodeTooLarge, // its number does not fit the message: nothing done, nothing shown
        NoTerminal,   // no window matched: the caller shows the box; nothing is posted
        Posted,
    };
    Outcome outcome = Outcome::CodeTooShort;
    WindowId window = 0;
    std::uint32_t message = 0;
    std::int32_t codeNumber = 0;
};

// Hands a stock code (GBK bytes of the list's code cell) to the running terminal:
// 大智慧, or 通达信 when tongdaxinChecked. Of several matching windows the one visited
// last wins. Runs on the caller's thread and never waits for the terminal.
HandOff handOffCode(WindowDirectory& windows, std::string_view code, bool tongdaxinChecked);

} // namespace tavrin::terminal_link
