#pragma once

#include "platform/http_client.h"

#include <QObject>
#include <QPointer>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

namespace tavrin {

// The one background worker of a periodic view (ticker bar, quote window): a
// thread of its own with its own HTTP client. A tick that finds the previous job
// still running is skipped, never queued, so a slow network cannot pile up work.
// Results are handed back on the receiver's thread; a job whose receiver is gone
// is answered to no one.
class ViewWorker {
public:
    explicit ViewWorker(std::unique_ptr<HttpClient> http, const char* threadName = "view");
    // Cancels the transfers under way and waits for the thread: never long.
    ~ViewWorker();
    Q_DISABLE_COPY_MOVE(ViewWorker)

    // Runs job(http) on the worker's thread, then apply(result) on the receiver's
    // thread. Returns false, and runs nothing, while an earlier job is running.
    template <typename Result>
    bool tryRun(std::function<Result(HttpClient&)> job, QObject* receiver,
                std::function<void(Result)> apply) {
        if (m_busy.exchange(true))
            return false;
        QPointer<QObject> target(receiver);
        post([this, job = std::move(job), target, apply = std::move(apply)] {
            Result result = job(*m_http);
            m_busy.store(false);
            if (target)
                QMetaObject::invokeMethod(
                    target.data(), [apply, result = std::move(result)] { apply(result); },
                    Qt::QueuedConnection);
        });
        return true;
    }

    bool isBusy() const { return m_busy.load(); }
    // Ends transfers under way (the job then sees failed requests); safe from any thread.
    void cancel() { m_http->cancel(); }

private:
    void post(std::function<void()> task);

    std::unique_ptr<HttpClient> m_http;
    QThread m_thread;
    QObject* m_context; // lives on m_thread; the jobs run in its event loop
    std::atomic<bool> m_busy{false};
};

} // namespace tavrin
