#pragma once

#include "platform/http_client.h"
#include "quotes/quote_fetch.h"

#include <QObject>
#include <QString>
#include <QThread>
#include <memory>

namespace tavrin {

// Single quote look-ups off the UI thread: each request is fetched on a thread of
// this object's own, with its own HTTP client, and answered on the thread that owns
// this object. Requests carry increasing sequence numbers so that the caller can
// drop an answer it no longer wants (the box it was for has changed since).
class AsyncQuoteLookup : public QObject {
    Q_OBJECT

public:
    // A libcurl client of its own, for the quote service at baseUrl.
    explicit AsyncQuoteLookup(const QString& baseUrl, QObject* parent = nullptr);
    AsyncQuoteLookup(std::unique_ptr<HttpClient> http, const QString& baseUrl, QObject* parent = nullptr);
    // Cancels the request under way and waits for the thread; unanswered requests
    // are never answered.
    ~AsyncQuoteLookup() override;

    AsyncQuoteLookup(const AsyncQuoteLookup&) = delete;
    AsyncQuoteLookup& operator=(const AsyncQuoteLookup&) = delete;

    // Queues a fetch of the code; returns its sequence number (1, 2, ...). Every
    // request is answered once, in the order asked.
    quint64 request(const QString& code);

    // The number of the latest request, 0 before the first.
    quint64 latestRequest() const { return m_lastSequence; }

signals:
    void answered(quint64 sequence, const QString& code, const tavrin::QuoteResult& result);

private:
    std::unique_ptr<HttpClient> m_http;
    QuoteFetcher m_fetcher;
    QThread m_thread;
    QObject* m_context; // lives on m_thread; the fetches run in its event loop
    quint64 m_lastSequence = 0;
};

} // namespace tavrin
