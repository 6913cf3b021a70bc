#pragma once

#include <QtGlobal>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tavrin {

// A fixed number of threads that run blocking jobs (HTTP requests) in the order
// they were posted: the bound on requests in flight. Destroying it cancels and
// waits for the jobs under way.
class RequestPool {
public:
    explicit RequestPool(int threads);
    ~RequestPool();
    Q_DISABLE_COPY_MOVE(RequestPool)

    // Safe from any thread, jobs included. After cancel() a job is dropped.
    void post(std::function<void()> job);
    // Drops the jobs not yet started; the ones under way run to their end.
    void cancel();

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    bool m_cancelled = false;
    std::vector<std::thread> m_threads;
};

} // namespace tavrin
