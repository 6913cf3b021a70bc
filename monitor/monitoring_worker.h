#pragma once

#include "monitor/quote_requests.h"
#include "monitor/row_snapshot.h"
#include "platform/http_client.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

namespace tavrin {

// Runs monitoring passes on its own thread: the alert check over the snapshot,
// then the pass's quote requests, which run on a pool of their own so that the
// worker is free for the next tick at once. It owns its HTTP clients and never
// touches the model; answers leave through the sink as they arrive.
class MonitoringWorker : public QObject {
    Q_OBJECT

public:
    using AlertCheck = std::function<void(const RowSnapshots&)>;

    // Batch requests through batchHttp, whose time-out should be limits.batchStallMs;
    // requests for one code through http.
    MonitoringWorker(std::unique_ptr<HttpClient> batchHttp, std::unique_ptr<HttpClient> http,
                     const QString& quoteUrl, AlertCheck alertCheck, QuoteRequestLimits limits = {});
    // One client for both: a stalled batch then holds its codes for the client's time-out.
    MonitoringWorker(std::unique_ptr<HttpClient> http, const QString& quoteUrl, AlertCheck alertCheck);
    ~MonitoringWorker() override;

    // Where answers go; they are handed to it on the request threads.
    void setAnswerSink(QuoteRequests::Sink sink);

    // Claims the worker for one pass's alert check; false while one still runs.
    bool tryClaim() { return !m_busy.exchange(true); }
    bool isBusy() const { return m_busy.load(); }
    // Shutdown: ends the transfers under way and drops the queued ones.
    void cancelRequests();

    // Runs on the worker's thread; the caller must have claimed the worker.
    void runPass(int pass, const tavrin::RowSnapshots& rows, bool withAlertCheck);

private:
    std::unique_ptr<HttpClient> m_batchHttp; // null: m_http serves batches too
    std::unique_ptr<HttpClient> m_http;
    AlertCheck m_alertCheck;
    std::mutex m_sinkMutex; // set on one thread, called on others
    QuoteRequests::Sink m_sink;
    std::atomic<bool> m_busy{false};
    // Last: its requests end before the clients they use.
    QuoteRequests m_requests;
};

// The worker as the program runs it: libcurl clients, batches given up after
// kBatchStallMs, the full time-out for one code.
inline constexpr int kBatchStallMs = 2000;
std::unique_ptr<MonitoringWorker> makeMonitoringWorker(const QString& quoteUrl,
                                                       MonitoringWorker::AlertCheck alertCheck);

// Owns the worker's thread: quits it and waits when destroyed, after cancelling
// any request under way so that the wait is short.
class MonitoringThread {
public:
    explicit MonitoringThread(std::unique_ptr<MonitoringWorker> worker);
    ~MonitoringThread();
    MonitoringThread(const MonitoringThread&) = delete;
    MonitoringThread& operator=(const MonitoringThread&) = delete;

    MonitoringWorker* worker() const { return m_worker; }

private:
    QThread m_thread;
    MonitoringWorker* m_worker;
};

} // namespace tavrin
