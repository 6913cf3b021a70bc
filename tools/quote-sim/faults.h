#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin::sim {

enum class FaultMode {
    None,
    Latency,
    RandomLatency,
    Empty,
    Drop,
    FewFields,
    ManyFields,
    OtherCode,
    TildeName,
    BadGbk,
    Oversized,
    Hang,
};

struct Fault {
    FaultMode mode = FaultMode::None;
    int ms = 20;
};

std::optional<FaultMode> parseFaultMode(std::string_view name);
std::string_view faultModeName(FaultMode mode);

// Faults that shape the whole HTTP response rather than one reply statement.
bool isWholeResponseFault(FaultMode mode);

// A fault target is a 6-digit code (every market), a prefixed code such as
// "sz000001" (one market), or nothing (everything).
bool isFaultTarget(std::string_view target);

class FaultTable {
public:
    void set(const std::string& target, Fault fault);
    void setGlobal(Fault fault);
    void clear(const std::string& target);
    void clearAll();

    // The most specific fault: prefixed code, then code, then the global one.
    Fault lookup(std::string_view prefix, std::string_view code) const;
    Fault global() const;

private:
    mutable std::mutex m_mutex;
    std::map<std::string, Fault, std::less<>> m_byTarget;
    std::optional<Fault> m_global;
};

} // namespace tavrin::sim
