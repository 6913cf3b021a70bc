#pragma once

#include "tools/quote-sim/universe.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::sim {

struct ChartPoint {
    double price;
    long long volume; // lots traded since the previous point
};

// A consistent copy of one instrument's state, taken under the market's lock.
struct StockQuote {
    const Listing* listing = nullptr;
    std::string priceText;         // as pinned, or the price with 2 decimals
    std::string previousCloseText; // as pinned, or with 2 decimals
    std::string volumeText;        // as pinned, or the lots as an integer
    double price = 0;
    double previousClose = 0;
    double open = 0;
    double high = 0;
    double low = 0;
    long long volume = 0;
    long long outerVolume = 0;
    double amount = 0; // yuan
};

struct ChartData {
    double previousClose = 0;
    std::vector<ChartPoint> points;
};

// Prices of the built-in universe, walking randomly and reproducibly from a
// seed. Every step draws the same random numbers whatever is pinned, so a
// pin never shifts the other instruments' walks.
class Market {
public:
    explicit Market(std::uint64_t seed);

    void step();

    std::optional<StockQuote> quote(std::string_view prefix, std::string_view code) const;
    std::optional<ChartData> chart(std::string_view prefix, std::string_view code) const;
    // The listing that a bare code names: a stock before an index of the same code.
    const Listing* findByCode(std::string_view code) const;

    // target: a 6-digit code (every market) or a prefixed code. False when
    // nothing in the universe matches.
    bool pin(std::string_view target, const std::string& price,
             const std::optional<std::string>& previousClose, const std::optional<std::string>& volume);
    bool unpin(std::string_view target);

private:
    struct State {
        const Listing* listing;
        double price;
        double open;
        double high;
        double low;
        long long volume;
        long long outerVolume;
        double amount;
        std::vector<ChartPoint> history;
        std::optional<std::string> pinnedPrice;
        std::optional<std::string> pinnedPreviousClose;
        std::optional<std::string> pinnedVolume;
    };

    double uniform(); // [0, 1)
    void advance(State& state, bool movePrice);
    bool matches(const State& state, std::string_view target) const;
    const State* find(std::string_view prefix, std::string_view code) const;

    mutable std::mutex m_mutex;
    std::mt19937_64 m_random;
    std::vector<State> m_states;
};

// Daily move limit as a fraction of the previous close (1 for indices: none).
double priceLimit(const Listing& listing);
std::string formatPrice(double value); // 2 decimals
double roundToCents(double value);
double textToNumber(const std::string& text); // leading number, 0 for none

} // namespace tavrin::sim
