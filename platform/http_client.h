#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace tavrin {

struct HttpResponse {
    int status = 0;  // HTTP status, 0 when no response arrived
    QByteArray body; // empty on error
    QString error;   // empty on success; a short reason otherwise
    bool ok() const { return error.isEmpty() && status >= 200 && status < 300; }
};

// A GET of a URL. Implementations are safe to call from any thread; every call
// stands alone and never blocks on another thread's call.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual HttpResponse get(const QByteArray& url) = 0;
    // Fetches all URLs, at most maxInFlight at a time; results in the order of urls.
    virtual std::vector<HttpResponse> getMany(const std::vector<QByteArray>& urls, int maxInFlight = 8);
    // Ends transfers under way and refuses new ones (shutdown); safe from any thread.
    virtual void cancel() {}
};

} // namespace tavrin
