#pragma once

#include "platform/curl_http_client.h"
#include "tests/support/recorders.h"

#include <QByteArrayList>

namespace tavrin::test {

// Real HTTP that records every URL asked; it can play a service that answers no
// batch requests (404 to any URL with a comma).
class RecordingHttp final : public HttpClient {
public:
    explicit RecordingHttp(bool answersBatches = true) : m_answersBatches(answersBatches) {}
    HttpResponse get(const QByteArray& url) override {
        m_urls.add(url);
        if (!m_answersBatches && url.contains(','))
            return {404, {}, QStringLiteral("not found")};
        return m_http.get(url);
    }
    void cancel() override { m_http.cancel(); }
    QByteArrayList urls() const { return m_urls.items(); }

private:
    bool m_answersBatches;
    CurlHttpClient m_http{HttpLimits{1000, 5000, 1024 * 1024}};
    Recorded<QByteArray> m_urls;
};

} // namespace tavrin::test
