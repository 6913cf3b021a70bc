#pragma once

#include "app/market_views/quote_window.h"
#include "platform/curl_http_client.h"

#include <QByteArrayList>
#include <QMessageBox>
#include <QStringList>
#include <memory>
#include <mutex>

namespace tavrin {

// The URLs a quote window asked for, in order; written on its worker thread.
class RequestLog {
public:
    void add(const QByteArray& url) {
        const std::lock_guard lock(m_mutex);
        m_urls.append(url);
    }
    // The paths (and queries) asked, without the service address.
    QByteArrayList paths(const QByteArray& baseUrl) const {
        const std::lock_guard lock(m_mutex);
        QByteArrayList paths;
        for (const QByteArray& url : m_urls)
            paths.append(url.startsWith(baseUrl) ? url.mid(baseUrl.size()) : url);
        return paths;
    }
    void clear() {
        const std::lock_guard lock(m_mutex);
        m_urls.clear();
    }

private:
    mutable std::mutex m_mutex;
    QByteArrayList m_urls;
};

// Real HTTP to the simulator, every URL noted on the way.
class RecordingHttp final : public HttpClient {
public:
    explicit RecordingHttp(std::shared_ptr<RequestLog> log)
        : m_inner(HttpLimits{1000, 3000, 1024 * 1024}), m_log(std::move(log)) {}
    HttpResponse get(const QByteArray& url) override {
        m_log->add(url);
        return m_inner.get(url);
    }
    void cancel() override { m_inner.cancel(); }

private:
    CurlHttpClient m_inner;
    std::shared_ptr<RequestLog> m_log;
};

// The texts of the message boxes open over a window.
inline QStringList openBoxes(const QWidget& owner) {
    QStringList texts;
    for (const QMessageBox* box : owner.findChildren<QMessageBox*>())
        if (box->isVisible())
            texts.append(box->text());
    return texts;
}

} // namespace tavrin
