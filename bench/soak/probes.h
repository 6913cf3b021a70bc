#pragma once

#include <QCoreApplication>
#include <cstdint>

namespace soak {

// Resident memory of this process in KiB (VmRSS of /proc/self/status); -1 if unreadable.
long residentKib();

// CPU time in nanoseconds of the calling thread, and of the whole process.
std::int64_t threadCpuNs();
std::int64_t processCpuNs();

// Sums the CPU time the UI thread spends handling events (timers, queued slots,
// posted deliveries): the work of the handlers without the idle waits of the loop.
// Nested deliveries count once, inside their outer one.
class TimedApplication final : public QCoreApplication {
public:
    TimedApplication(int& argc, char** argv);
    Q_DISABLE_COPY_MOVE(TimedApplication)

    bool notify(QObject* receiver, QEvent* event) override;

    std::int64_t handlerCpuNs() const { return m_handlerCpuNs; }
    std::int64_t handledEvents() const { return m_handledEvents; }

private:
    Qt::HANDLE m_uiThread;
    int m_depth = 0;
    std::int64_t m_handlerCpuNs = 0;
    std::int64_t m_handledEvents = 0;
};

} // namespace soak
