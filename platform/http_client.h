#pragma once

#include "platform/status.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace tavrin {

// Kept a plain aggregate rather than a Status: a reply can carry a non-2xx status
// with no transport error, which a Status base would call ok. outcome() gives the
// same verdict as ok() in the shape every layer reports failures in.
struct HttpResponse {
    int status = 0;  // HTTP status, 0 when no response arrived
    QByteArray body; // empty on error
    QString error;   // empty on success; a short reason otherwise
    bool ok() const { return error.isEmpty() && status >= 200 && status < 300; }
    // Ok exactly when ok(); else a failure whose detail is the transport's reason
    // or the HTTP status.
    Status outcome() const;
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
