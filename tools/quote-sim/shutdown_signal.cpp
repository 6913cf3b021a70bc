#include "tools/quote-sim/shutdown_signal.h"

namespace tavrin::sim {

void ShutdownSignal::request() {
    {
        const std::lock_guard lock(m_mutex);
        m_requested = true;
    }
    m_wake.notify_all();
}

bool ShutdownSignal::requested() const {
    const std::lock_guard lock(m_mutex);
    return m_requested;
}

bool ShutdownSignal::sleepFor(std::chrono::milliseconds duration) {
    std::unique_lock lock(m_mutex);
    return !m_wake.wait_for(lock, duration, [this] { return m_requested; });
}

} // namespace tavrin::sim
