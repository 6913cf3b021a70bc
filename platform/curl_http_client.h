#pragma once

#include "platform/http_client.h"

#include <atomic>

namespace tavrin {

struct HttpLimits {
    long connectTimeoutMs = 3000;
    long totalTimeoutMs = 8000;
    qsizetype maxBodyBytes = 1024 * 1024;
};

// libcurl behind HttpClient. Every request uses its own easy handle, so one client
// may serve any number of threads at once.
class CurlHttpClient final : public HttpClient {
public:
    explicit CurlHttpClient(HttpLimits limits = {});
    HttpResponse get(const QByteArray& url) override;
    std::vector<HttpResponse> getMany(const std::vector<QByteArray>& urls, int maxInFlight = 8) override;

    // Aborts the transfers under way and refuses new ones, so that a worker blocked in
    // a request can be ended promptly at shutdown. Safe from any thread.
    void cancel() override { m_cancelled.store(true); }

private:
    HttpLimits m_limits;
    std::atomic<bool> m_cancelled{false};
};

} // namespace tavrin
