#include "bench/soak/fault_schedule.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace soak {

std::vector<FaultStep> faultCycle(const std::vector<QString>& someCodes) {
    const auto onCodes = [&](const QString& mode) {
        QString path;
        for (const QString& code : someCodes)
            path += u"/admin/fault?mode="_s + mode + u"&code="_s + code + u'\n';
        return path;
    };
    return {
        {u"empty"_s, u"/admin/fault?mode=empty"_s},
        {u"many-fields"_s, u"/admin/fault?mode=many-fields"_s},
        {u"few-fields"_s, u"/admin/fault?mode=few-fields"_s},
        {u"other-code"_s, u"/admin/fault?mode=other-code"_s},
        {u"tilde-name"_s, u"/admin/fault?mode=tilde-name"_s},
        {u"bad-gbk"_s, u"/admin/fault?mode=bad-gbk"_s},
        {u"random-latency"_s, u"/admin/fault?mode=random-latency&ms=5"_s},
        {u"hang (some codes)"_s, onCodes(u"hang"_s)},
        {u"drop (some codes)"_s, onCodes(u"drop"_s)},
        {u"oversized (some codes)"_s, onCodes(u"oversized"_s)},
    };
}

AdminChannel::AdminChannel(std::function<void(const QString&)> send)
    : m_send(std::move(send)), m_thread([this] { run(); }) {}

AdminChannel::~AdminChannel() {
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void AdminChannel::post(const QString& pathAndQuery) {
    {
        std::lock_guard lock(m_mutex);
        // Several paths in one text, one a line.
        for (const QString& path : pathAndQuery.split(u'\n', Qt::SkipEmptyParts))
            m_queue.push_back(path);
    }
    m_wake.notify_all();
}

void AdminChannel::drain() {
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_queue.empty() && !m_sending; });
}

void AdminChannel::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_done || !m_queue.empty(); });
        if (m_queue.empty())
            return;
        const QString path = m_queue.front();
        m_queue.pop_front();
        m_sending = true;
        lock.unlock();
        m_send(path);
        lock.lock();
        m_sending = false;
        m_wake.notify_all();
    }
}

} // namespace soak
