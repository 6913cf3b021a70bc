#pragma once

#include "tavrin/version.h"
#include "tools/quote-sim/faults.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin::sim {

struct FaultOption {
    Fault fault;
    std::string target; // empty: everything
};

struct SimOptions {
    int port = 0;
    std::uint64_t seed = 1;
    int stepMs = 3000; // 0: steps only through /admin/step
    int latencyMs = 0;
    int extraStocks = 0;
    std::vector<FaultOption> faults;
    std::string updateVersion = currentVersionText;
    bool updateForced = false;
};

struct ParsedOptions {
    SimOptions options;
    bool help = false;
    std::string error; // non-empty when the command line is wrong
};

ParsedOptions parseOptions(const std::vector<std::string>& arguments);
std::string usageText();

} // namespace tavrin::sim
