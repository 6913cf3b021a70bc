#pragma once

#include "monitor/log_sink.h"

#include <QString>
#include <atomic>
#include <cstdint>

namespace soak {

// Passes lines on to the real log and counts them, with the moves among them,
// apart for passes under a fault and clean ones.
class CountingLog final : public tavrin::LogSink {
public:
    explicit CountingLog(tavrin::LogSink& log);

    void writeLine(const QString& message) override;
    void setFaulted(bool faulted) { m_faulted.store(faulted); }

    struct Counts {
        std::int64_t lines = 0;
        std::int64_t moves = 0;
    };
    Counts clean() const { return {m_cleanLines.load(), m_cleanMoves.load()}; }
    Counts total() const { return {m_lines.load(), m_moves.load()}; }

private:
    tavrin::LogSink& m_log;
    QString m_upwardEnd;
    QString m_downwardEnd;
    std::atomic<bool> m_faulted{false};
    std::atomic<std::int64_t> m_lines{0};
    std::atomic<std::int64_t> m_moves{0};
    std::atomic<std::int64_t> m_cleanLines{0};
    std::atomic<std::int64_t> m_cleanMoves{0};
};

} // namespace soak
