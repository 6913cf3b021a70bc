#include "bench/refresh_pass/bench_modes.h"

namespace tavrin::bench {

std::unique_ptr<MonitoringWorker> makeWorker(const QString& url, MonitoringWorker::AlertCheck check) {
    return makeMonitoringWorker(url, std::move(check));
}

} // namespace tavrin::bench
