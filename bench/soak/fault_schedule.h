#pragma once

#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace soak {

// One fault of the simulator, set through its admin path and cleared after a phase.
struct FaultStep {
    QString label;
    QString setPath; // e.g. "/admin/fault?mode=empty"
};

// The faults the soak cycles through: field faults for every code, whole-response
// faults (a hang among them, as short as the bench's transfer limit) for a few.
std::vector<FaultStep> faultCycle(const std::vector<QString>& someCodes);

// Sends admin requests from a thread of its own, so that the UI thread's figures
// hold only the monitoring work.
class AdminChannel {
public:
    explicit AdminChannel(std::function<void(const QString&)> send);
    ~AdminChannel();
    AdminChannel(const AdminChannel&) = delete;
    AdminChannel& operator=(const AdminChannel&) = delete;

    void post(const QString& pathAndQuery);
    // Waits until everything posted has been sent.
    void drain();

private:
    void run();

    std::function<void(const QString&)> m_send;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<QString> m_queue;
    bool m_sending = false;
    bool m_done = false;
    std::thread m_thread;
};

} // namespace soak
