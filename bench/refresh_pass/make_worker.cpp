#include "bench/refresh_pass/bench_modes.h"
#include "platform/curl_http_client.h"

namespace tavrin::bench {

std::unique_ptr<MonitoringWorker> makeWorker(const QString& url, MonitoringWorker::AlertCheck check) {
    return std::make_unique<MonitoringWorker>(std::make_unique<CurlHttpClient>(), url, std::move(check));
}

} // namespace tavrin::bench
