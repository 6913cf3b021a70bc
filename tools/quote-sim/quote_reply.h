#pragma once

#include "tools/quote-sim/faults.h"
#include "tools/quote-sim/market.h"

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::sim {

inline constexpr std::size_t manyFieldsCount = 1200;
inline constexpr std::size_t oversizedBodyBytes = 2 * 1024 * 1024;

// The reply fields of one instrument in the quote service's layout, field 0
// first; texts are GBK. nameGbk is the listing's name already encoded.
std::vector<std::string> quoteFields(const StockQuote& quote, const std::string& nameGbk, std::tm localNow);

// Applies a per-statement fault (few-fields, many-fields, other-code,
// tilde-name, bad-gbk); other modes leave the fields alone.
void applyFieldFault(std::vector<std::string>& fields, FaultMode mode, const std::string& tildeNameGbk);

// One statement line: v_<key>="f0~f1~...~";\n
std::string quoteStatement(std::string_view key, const std::vector<std::string>& fields);

// The service's answer for a code it does not know.
std::string noMatchStatement();

} // namespace tavrin::sim
