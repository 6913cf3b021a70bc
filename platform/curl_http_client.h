#pragma once

#include "http_client.h"

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

private:
    HttpLimits m_limits;
};

} // namespace tavrin
