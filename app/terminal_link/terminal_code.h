#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tavrin::terminal_link {

// '7' for codes whose first byte sorts at or after '6' (Shanghai), else '6' (Shenzhen).
char marketDigit(std::string_view code);

// The number a terminal expects for a code: the market digit followed by the code,
// read by its leading decimal digits (600519 -> 7600519, 000001 -> 6000001).
// Empty when that number does not fit in the 32 bits of the message.
std::optional<std::int32_t> terminalCodeNumber(std::string_view code);

} // namespace tavrin::terminal_link
