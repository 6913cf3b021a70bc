#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <chrono>
#include <cstdio>

// The clock of the start-up trace, shared by the program and the start-up bench so
// that both count from the same launch time in the same units.
namespace tavrin::start_up_timing {

using Clock = std::chrono::steady_clock;

// The launch time TAVRIN_STARTUP_TRACE gives as "t0=<steady-clock ns>"; otherwise.
inline Clock::time_point launchTime(Clock::time_point otherwise) {
    const QByteArray value = qgetenv("TAVRIN_STARTUP_TRACE");
    bool ok = false;
    const qlonglong ns = value.startsWith("t0=") ? value.mid(3).toLongLong(&ok) : 0;
    return ok ? Clock::time_point(std::chrono::nanoseconds(ns)) : otherwise;
}

// "<what> <milliseconds since>" on stderr, at once.
inline void printElapsed(const char* what, Clock::time_point since) {
    const auto elapsed = std::chrono::duration<double, std::milli>(Clock::now() - since);
    std::fprintf(stderr, "%s %.1f\n", what, elapsed.count());
    std::fflush(stderr);
}

} // namespace tavrin::start_up_timing
