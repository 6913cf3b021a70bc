#include "app/terminal_link/code_hand_off.h"

#include "app/terminal_link/terminal_code.h"
#include "app/terminal_link/terminal_match.h"

#include <optional>

namespace tavrin::terminal_link {
namespace {

constexpr std::size_t codeLength = 6;

} // namespace

HandOff handOffCode(WindowDirectory& windows, std::string_view code, bool tongdaxinChecked) {
    HandOff result;
    if (code.size() < codeLength)
        return result;
    const std::optional<std::int32_t> number = terminalCodeNumber(code);
    if (!number) {
        result.outcome = HandOff::Outcome::CodeTooLarge;
        return result;
    }
    result.codeNumber = *number;

    const Terminal terminal = terminalFor(tongdaxinChecked);
    std::optional<WindowId> target;
    windows.forEachTopLevelWindow([&](WindowId window) {
        if (isTerminalWindow(terminal, windows.windowTitle(window), windows.windowClass(window)))
            target = window;
    });
    // With no window the message would go to our own thread's queue: it is dropped instead.
    if (!target) {
        result.outcome = HandOff::Outcome::NoTerminal;
        return result;
    }

    result.outcome = HandOff::Outcome::Posted;
    result.window = *target;
    result.message = windows.registerMessage(stockMessageName);
    windows.postMessage(*target, result.message, result.codeNumber, 0);
    return result;
}

} // namespace tavrin::terminal_link
