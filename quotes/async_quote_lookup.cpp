#include "quotes/async_quote_lookup.h"

#include "platform/curl_http_client.h"

namespace tavrin {

AsyncQuoteLookup::AsyncQuoteLookup(const QString& baseUrl, QObject* parent)
    : AsyncQuoteLookup(std::make_unique<CurlHttpClient>(), baseUrl, parent) {}

AsyncQuoteLookup::AsyncQuoteLookup(std::unique_ptr<HttpClient> http, const QString& baseUrl, QObject* parent)
    : QObject(parent), m_http(std::move(http)), m_fetcher(*m_http, baseUrl), m_context(new QObject) {
    m_thread.setObjectName(QStringLiteral("quote lookup"));
    m_context->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    m_thread.start();
}

AsyncQuoteLookup::~AsyncQuoteLookup() {
    m_http->cancel();
    m_thread.quit();
    m_thread.wait();
}

quint64 AsyncQuoteLookup::request(const QString& code) {
    const quint64 sequence = ++m_lastSequence;
    // The answer is posted back to this object, so it arrives on its thread; once
    // this object is gone, posted answers are discarded with it.
    QMetaObject::invokeMethod(
        m_context,
        [this, sequence, code] {
            const QuoteResult result = m_fetcher.fetch(code);
            QMetaObject::invokeMethod(
                this, [this, sequence, code, result] { emit answered(sequence, code, result); },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    return sequence;
}

} // namespace tavrin
