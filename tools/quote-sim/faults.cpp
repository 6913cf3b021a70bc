#include "tools/quote-sim/faults.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tavrin::sim {

namespace {

constexpr std::array<std::pair<FaultMode, std::string_view>, 12> modeNames{{
    {FaultMode::None, "none"},
    {FaultMode::Latency, "latency"},
    {FaultMode::RandomLatency, "random-latency"},
    {FaultMode::Empty, "empty"},
    {FaultMode::Drop, "drop"},
    {FaultMode::FewFields, "few-fields"},
    {FaultMode::ManyFields, "many-fields"},
    {FaultMode::OtherCode, "other-code"},
    {FaultMode::TildeName, "tilde-name"},
    {FaultMode::BadGbk, "bad-gbk"},
    {FaultMode::Oversized, "oversized"},
    {FaultMode::Hang, "hang"},
}};

bool isSixDigits(std::string_view text) {
    return text.size() == 6 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::optional<FaultMode> parseFaultMode(std::string_view name) {
    for (const auto& [mode, text] : modeNames) {
        if (text == name)
            return mode;
    }
    return std::nullopt;
}

std::string_view faultModeName(FaultMode mode) {
    for (const auto& [m, text] : modeNames) {
        if (m == mode)
            return text;
    }
    return "none";
}

bool isWholeResponseFault(FaultMode mode) {
    switch (mode) {
    case FaultMode::Latency:
    case FaultMode::RandomLatency:
    case FaultMode::Empty:
    case FaultMode::Drop:
    case FaultMode::Oversized:
    case FaultMode::Hang:
        return true;
    default:
        return false;
    }
}

bool isFaultTarget(std::string_view target) {
    if (isSixDigits(target))
        return true;
    if (target.size() != 8)
        return false;
    const std::string_view prefix = target.substr(0, 2);
    return (prefix == "sh" || prefix == "sz" || prefix == "bj") && isSixDigits(target.substr(2));
}

void FaultTable::set(const std::string& target, Fault fault) {
    const std::lock_guard lock(m_mutex);
    m_byTarget[target] = fault;
}

void FaultTable::setGlobal(Fault fault) {
    const std::lock_guard lock(m_mutex);
    m_global = fault;
}

void FaultTable::clear(const std::string& target) {
    const std::lock_guard lock(m_mutex);
    m_byTarget.erase(target);
    // Clearing a bare code also clears its prefixed forms.
    if (target.size() == 6) {
        for (const char* prefix : {"sh", "sz", "bj"})
            m_byTarget.erase(prefix + target);
    }
}

void FaultTable::clearAll() {
    const std::lock_guard lock(m_mutex);
    m_byTarget.clear();
    m_global.reset();
}

Fault FaultTable::lookup(std::string_view prefix, std::string_view code) const {
    const std::lock_guard lock(m_mutex);
    std::string key(prefix);
    key += code;
    if (auto it = m_byTarget.find(key); it != m_byTarget.end())
        return it->second;
    if (auto it = m_byTarget.find(code); it != m_byTarget.end())
        return it->second;
    return m_global.value_or(Fault{});
}

Fault FaultTable::global() const {
    const std::lock_guard lock(m_mutex);
    return m_global.value_or(Fault{});
}

} // namespace tavrin::sim
