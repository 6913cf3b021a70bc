#pragma once

#include <string>
#include <string_view>

namespace tavrin::sim {

// GBK bytes of a UTF-8 text; characters GBK lacks become '?'.
std::string utf8ToGbk(std::string_view utf8);

} // namespace tavrin::sim
