#pragma once

#include "platform/http_client.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>

namespace tavrin {

// The value page's quote requests, off the UI thread: each request is fetched on
// a thread of this object's own and answered on the thread that owns this object.
// Requests are numbered; one that a newer request overtook before it started is
// never sent, and the caller drops any answer that is not the latest.
class ValueQuoteFetch : public QObject {
    Q_OBJECT

public:
    explicit ValueQuoteFetch(std::unique_ptr<HttpClient> http, QObject* parent = nullptr);
    // Cancels the request under way and waits for the thread.
    ~ValueQuoteFetch() override;
    Q_DISABLE_COPY_MOVE(ValueQuoteFetch)

    // Queues a GET of the URL; returns its number (1, 2, ...).
    quint64 request(const QByteArray& url);
    quint64 latestRequest() const { return m_latest.load(); }

signals:
    void answered(quint64 sequence, const tavrin::HttpResponse& response);

private:
    std::unique_ptr<HttpClient> m_http;
    QThread m_thread;
    QObject* m_context; // lives on m_thread; the requests run in its event loop
    std::atomic<quint64> m_latest{0};
};

} // namespace tavrin
