#pragma once

#include "tools/quote-sim/market.h"

#include <optional>
#include <string>

namespace tavrin::sim {

// The investment-value page for a code (UTF-8 HTML); quote is empty for a
// code the universe does not hold.
std::string valuePageHtml(const std::string& code, const std::optional<StockQuote>& quote);

// The update manifest (UTF-8) with its four marked values.
std::string updateManifest(const std::string& version, bool forced, int port);

} // namespace tavrin::sim
