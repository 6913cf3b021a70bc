#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace tavrin::sim {

// Lets every sleeping or hanging request wake at once when the simulator stops.
class ShutdownSignal {
public:
    void request();
    bool requested() const;
    // Sleeps up to duration; false when shutdown was requested meanwhile.
    bool sleepFor(std::chrono::milliseconds duration);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_requested = false;
};

} // namespace tavrin::sim
