#include "app/terminal_link/terminal_code.h"

#include <limits>

namespace tavrin::terminal_link {

char marketDigit(std::string_view code) {
    // An empty code compares like the terminating zero of a C string.
    const unsigned char first = code.empty() ? 0 : static_cast<unsigned char>(code.front());
    return first >= static_cast<unsigned char>('6') ? '7' : '6';
}

std::optional<std::int32_t> terminalCodeNumber(std::string_view code) {
    std::int64_t number = marketDigit(code) - '0';
    for (const char c : code) {
        if (c < '0' || c > '9')
            break;
        number = number * 10 + (c - '0');
        if (number > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
    }
    return static_cast<std::int32_t>(number);
}

} // namespace tavrin::terminal_link
