#include "tools/quote-sim/market.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tavrin::sim {

namespace {

// One trading day of minutes; the chart shows no more.
constexpr std::size_t maxHistory = 242;
constexpr int openingSteps = 120;
constexpr double stockStep = 0.003;
constexpr double indexStep = 0.001; // an index averages its members' moves

} // namespace

double priceLimit(const Listing& listing) {
    if (listing.index)
        return 1.0;
    if (listing.prefix == "bj")
        return 0.30;
    if (listing.code.starts_with("300") || listing.code.starts_with("301") || listing.code.starts_with("688"))
        return 0.20;
    return 0.10;
}

std::string formatPrice(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

double roundToCents(double value) {
    return std::round(value * 100.0) / 100.0;
}

double textToNumber(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

Market::Market(std::uint64_t seed) : m_random(seed) {
    for (const Listing& listing : universe()) {
        State state{};
        state.listing = &listing;
        state.open = roundToCents(listing.previousClose * (1.0 + 0.01 * (2.0 * uniform() - 1.0)));
        state.price = state.open;
        state.high = state.open;
        state.low = state.open;
        state.history.push_back({state.open, 0});
        m_states.push_back(std::move(state));
    }
    // A morning's worth of steps, so that the first chart already shows a day.
    for (int i = 0; i < openingSteps; ++i)
        step();
}

double Market::uniform() {
    return static_cast<double>(m_random() >> 11) * 0x1.0p-53;
}

void Market::step() {
    const std::lock_guard lock(m_mutex);
    for (State& state : m_states)
        advance(state, !state.pinnedPrice.has_value());
}

void Market::advance(State& state, bool movePrice) {
    const double move = 2.0 * uniform() - 1.0;
    const double activity = uniform();
    const Listing& listing = *state.listing;
    if (movePrice) {
        const double limit = priceLimit(listing);
        const double upper = roundToCents(listing.previousClose * (1.0 + limit));
        const double lower = std::max(0.01, roundToCents(listing.previousClose * (1.0 - limit)));
        state.price = std::clamp(
            roundToCents(state.price * (1.0 + (listing.index ? indexStep : stockStep) * move)), lower, upper);
    }
    const auto traded = std::max<long long>(
        1, std::llround(static_cast<double>(listing.volume) / 240.0 * (0.2 + 1.6 * activity)));
    state.volume += traded;
    state.outerVolume += std::llround(static_cast<double>(traded) * (0.3 + 0.4 * activity));
    state.amount += static_cast<double>(traded) * 100.0 * state.price;
    state.high = std::max(state.high, state.price);
    state.low = std::min(state.low, state.price);
    state.history.push_back({state.price, traded});
    if (state.history.size() > maxHistory)
        state.history.erase(state.history.begin());
}

bool Market::matches(const State& state, std::string_view target) const {
    if (target.size() == 6)
        return state.listing->code == target;
    return target.size() == 8 && target.substr(0, 2) == state.listing->prefix &&
           target.substr(2) == state.listing->code;
}

const Market::State* Market::find(std::string_view prefix, std::string_view code) const {
    for (const State& state : m_states) {
        if (state.listing->prefix == prefix && state.listing->code == code)
            return &state;
    }
    return nullptr;
}

std::optional<StockQuote> Market::quote(std::string_view prefix, std::string_view code) const {
    const std::lock_guard lock(m_mutex);
    const State* state = find(prefix, code);
    if (!state)
        return std::nullopt;
    StockQuote quote;
    quote.listing = state->listing;
    quote.priceText = state->pinnedPrice.value_or(formatPrice(state->price));
    quote.previousCloseText = state->pinnedPreviousClose.value_or(formatPrice(state->listing->previousClose));
    quote.volumeText = state->pinnedVolume.value_or(std::to_string(state->volume));
    quote.price = textToNumber(quote.priceText);
    quote.previousClose = textToNumber(quote.previousCloseText);
    quote.open = state->open;
    quote.high = state->high;
    quote.low = state->low;
    quote.volume = state->volume;
    quote.outerVolume = state->outerVolume;
    quote.amount = state->amount;
    return quote;
}

std::optional<ChartData> Market::chart(std::string_view prefix, std::string_view code) const {
    const std::lock_guard lock(m_mutex);
    const State* state = find(prefix, code);
    if (!state)
        return std::nullopt;
    const double previousClose = state->pinnedPreviousClose ? textToNumber(*state->pinnedPreviousClose)
                                                            : state->listing->previousClose;
    return ChartData{previousClose, state->history};
}

const Listing* Market::findByCode(std::string_view code) const {
    const Listing* found = nullptr;
    for (const Listing& listing : universe()) {
        if (listing.code != code)
            continue;
        if (!listing.index)
            return &listing;
        found = &listing;
    }
    return found;
}

bool Market::pin(std::string_view target, const std::string& price,
                 const std::optional<std::string>& previousClose, const std::optional<std::string>& volume) {
    const std::lock_guard lock(m_mutex);
    bool any = false;
    for (State& state : m_states) {
        if (!matches(state, target))
            continue;
        any = true;
        state.pinnedPrice = price;
        if (previousClose)
            state.pinnedPreviousClose = previousClose;
        if (volume)
            state.pinnedVolume = volume;
        const double value = textToNumber(price);
        if (value > 0) {
            state.price = value;
            state.high = std::max(state.high, value);
            state.low = std::min(state.low, value);
        }
    }
    return any;
}

bool Market::unpin(std::string_view target) {
    const std::lock_guard lock(m_mutex);
    bool any = false;
    for (State& state : m_states) {
        if (!matches(state, target))
            continue;
        any = true;
        // The walk resumes from the pinned price.
        state.price = std::max(0.01, roundToCents(state.price));
        state.pinnedPrice.reset();
        state.pinnedPreviousClose.reset();
        state.pinnedVolume.reset();
    }
    return any;
}

} // namespace tavrin::sim
