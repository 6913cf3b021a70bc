#pragma once

#include "tools/quote-sim/market.h"

#include <string>

namespace tavrin::sim {

inline constexpr int minuteChartWidth = 545;
inline constexpr int minuteChartHeight = 300;

// The day's minute chart as a GIF: the price line over the previous close,
// volume bars below. No data gives the empty grid.
std::string minuteChartGif(const ChartData& chart);

} // namespace tavrin::sim
