#include "bench/soak/counting_log.h"

#include "monitor/alert_texts.h"

namespace soak {

// The move lines are "[name]" and a fixed text; the texts without a name give that text.
CountingLog::CountingLog(tavrin::LogSink& log)
    : m_log(log), m_upwardEnd(tavrin::upwardMoveLog(QString()).mid(2)),
      m_downwardEnd(tavrin::downwardMoveLog(QString()).mid(2)) {}

void CountingLog::writeLine(const QString& message) {
    m_log.writeLine(message);
    const bool move = message.endsWith(m_upwardEnd) || message.endsWith(m_downwardEnd);
    ++m_lines;
    m_moves += move ? 1 : 0;
    if (!m_faulted.load()) {
        ++m_cleanLines;
        m_cleanMoves += move ? 1 : 0;
    }
}

} // namespace soak
