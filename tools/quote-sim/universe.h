#pragma once

#include <span>
#include <string>

namespace tavrin::sim {

// One listed instrument the simulator quotes. Names are UTF-8 here and
// encoded to GBK once at start-up.
struct Listing {
    std::string prefix; // "sh", "sz" or "bj"
    std::string code;   // 6 digits
    std::string name;
    double previousClose;
    long long volume;     // lots traded at start
    double sharesBillion; // for the market capitalisation fields
    bool index;
};

// The code of the stock whose GBK name holds a trail byte 0x7E ('~').
inline constexpr const char* tildeNameCode = "000630";
inline constexpr const char* tildeNamePrefix = "sz";

std::span<const Listing> universe();

// Adds count generated stocks (at most 2000) for benchmarks that need long watch
// lists of distinct codes. Call before the market is created.
void addSyntheticListings(int count);

} // namespace tavrin::sim
