#pragma once

#include "monitor/refresh_pass.h"
#include "platform/http_client.h"
#include "quotes/quote_fetch.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

namespace tavrin {

// Runs monitoring passes on its own thread: the alert check over the snapshot, then
// the quote fetches. It owns its HTTP client and never touches the model.
class MonitoringWorker : public QObject {
    Q_OBJECT

public:
    using AlertCheck = std::function<void(const RowSnapshots&)>;

    MonitoringWorker(std::unique_ptr<HttpClient> http, const QString& quoteUrl, AlertCheck alertCheck);
    ~MonitoringWorker() override;

    // Claims the worker for one pass; false while a pass is still running.
    bool tryClaim() { return !m_busy.exchange(true); }
    bool isBusy() const { return m_busy.load(); }
    void cancelRequests() { m_http->cancel(); }

    // Runs on the worker's thread; the caller must have claimed the worker.
    void runPass(const tavrin::RowSnapshots& rows, bool withAlertCheck);

signals:
    void passFinished(const tavrin::RowRefreshes& refreshes, bool tooManyFields);

private:
    std::unique_ptr<HttpClient> m_http;
    QuoteFetcher m_fetcher;
    AlertCheck m_alertCheck;
    std::atomic<bool> m_busy{false};
};

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
