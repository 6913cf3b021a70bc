#include "app/value_page/value_quote_fetch.h"

using namespace Qt::StringLiterals;

namespace tavrin {

ValueQuoteFetch::ValueQuoteFetch(std::unique_ptr<HttpClient> http, QObject* parent)
    : QObject(parent), m_http(std::move(http)), m_context(new QObject) {
    m_thread.setObjectName(u"value quote"_s);
    m_context->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    m_thread.start();
}

ValueQuoteFetch::~ValueQuoteFetch() {
    m_http->cancel();
    m_thread.quit();
    m_thread.wait();
}

quint64 ValueQuoteFetch::request(const QByteArray& url) {
    const quint64 sequence = ++m_latest;
    QMetaObject::invokeMethod(
        m_context,
        [this, sequence, url] {
            // Overtaken while queued: its answer would be dropped anyway.
            if (sequence != m_latest.load())
                return;
            const HttpResponse response = m_http->get(url);
            // Posted to this object, so it arrives on its thread, or never once it is gone.
            QMetaObject::invokeMethod(
                this, [this, sequence, response] { emit answered(sequence, response); },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    return sequence;
}

} // namespace tavrin
