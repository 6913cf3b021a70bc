#include "bench/soak/probes.h"

#include <QThread>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace soak {

namespace {

std::int64_t clockNs(clockid_t clock) {
    timespec at{};
    clock_gettime(clock, &at);
    return std::int64_t{at.tv_sec} * 1'000'000'000 + at.tv_nsec;
}

} // namespace

long residentKib() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    long kib = -1;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "VmRSS:", 6) == 0) {
            kib = std::strtol(line + 6, nullptr, 10);
            break;
        }
    }
    std::fclose(status);
    return kib;
}

std::int64_t threadCpuNs() {
    return clockNs(CLOCK_THREAD_CPUTIME_ID);
}

std::int64_t processCpuNs() {
    return clockNs(CLOCK_PROCESS_CPUTIME_ID);
}

TimedApplication::TimedApplication(int& argc, char** argv)
    : QCoreApplication(argc, argv), m_uiThread(QThread::currentThreadId()) {}

bool TimedApplication::notify(QObject* receiver, QEvent* event) {
    if (QThread::currentThreadId() != m_uiThread || m_depth > 0)
        return QCoreApplication::notify(receiver, event);
    ++m_depth;
    const std::int64_t start = threadCpuNs();
    const bool handled = QCoreApplication::notify(receiver, event);
    m_handlerCpuNs += threadCpuNs() - start;
    ++m_handledEvents;
    --m_depth;
    return handled;
}

} // namespace soak
