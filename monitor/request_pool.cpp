#include "monitor/request_pool.h"

namespace tavrin {

RequestPool::RequestPool(int threads) {
    for (int i = 0; i < std::max(1, threads); ++i)
        m_threads.emplace_back([this] { run(); });
}

RequestPool::~RequestPool() {
    cancel();
    for (std::thread& thread : m_threads)
        thread.join();
}

void RequestPool::post(std::function<void()> job) {
    {
        const std::lock_guard guard(m_mutex);
        if (m_cancelled)
            return;
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void RequestPool::cancel() {
    std::deque<std::function<void()>> dropped;
    {
        const std::lock_guard guard(m_mutex);
        m_cancelled = true;
        dropped.swap(m_jobs);
    }
    m_wake.notify_all();
}

void RequestPool::run() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_cancelled || !m_jobs.empty(); });
            if (m_cancelled)
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        job();
    }
}

} // namespace tavrin
