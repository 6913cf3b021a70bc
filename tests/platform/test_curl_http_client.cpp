#include "platform/curl_http_client.h"
#include "tests/support/quote_sim_process.h"

#include <QElapsedTimer>
#include <QTest>
#include <thread>

using namespace tavrin;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(tavrin::HttpResponse)

class CurlHttpClientTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void getReturnsBody();
    void failures_data();
    void failures();
    void unreachableServer();
    void getManyKeepsOrder();
    void usableFromManyThreads();
    void outcomeAgreesWithOk_data();
    void outcomeAgreesWithOk();

private:
    QByteArray url(const char* path) const { return m_sim.baseUrl().toUtf8() + path; }
    QuoteSimProcess m_sim;
    CurlHttpClient m_http{HttpLimits{1000, 1500, 1024 * 1024}};
};

void CurlHttpClientTest::initTestCase() {
    QVERIFY(m_sim.start());
}

void CurlHttpClientTest::init() {
    m_sim.admin(QStringLiteral("/admin/clear"));
}

void CurlHttpClientTest::getReturnsBody() {
    const HttpResponse response = m_http.get(url("/q=sh600519"));
    QVERIFY2(response.ok(), qPrintable(response.error));
    QCOMPARE(response.status, 200);
    QVERIFY(response.body.startsWith("v_sh600519=\""));
}

void CurlHttpClientTest::failures_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("errorPart");
    QTest::newRow("oversized body is refused whole") << "oversized"
                                                     << "larger than";
    QTest::newRow("dropped connection") << "drop"
                                        << "";
    QTest::newRow("never answers") << "hang"
                                   << "";
}

void CurlHttpClientTest::failures() {
    QFETCH(QString, mode);
    QFETCH(QString, errorPart);
    m_sim.admin(QStringLiteral("/admin/fault?mode=%1").arg(mode));
    QElapsedTimer timer;
    timer.start();
    const HttpResponse response = m_http.get(url("/q=sh600519"));
    QVERIFY(!response.ok());
    QVERIFY(response.body.isEmpty());
    QVERIFY(!response.error.isEmpty());
    QVERIFY(response.error.contains(errorPart));
    QCOMPARE(response.outcome().detail(), response.error);
    QVERIFY2(timer.elapsed() < 10000, "the total time-out bounds every request");
}

void CurlHttpClientTest::unreachableServer() {
    const HttpResponse response = m_http.get(unreachableBaseUrl() + "/q=sh600519");
    QVERIFY(!response.ok());
    QCOMPARE(response.status, 0);
    QVERIFY(!response.error.isEmpty());
}

void CurlHttpClientTest::getManyKeepsOrder() {
    m_sim.admin(QStringLiteral("/admin/fault?mode=random-latency&ms=30"));
    m_sim.admin(QStringLiteral("/admin/fault?mode=empty&code=600036"));
    const std::vector<QByteArray> urls{url("/q=sh600519"), url("/q=sh600036"),          url("/q=sz000002"),
                                       url("/q=sz300750"), unreachableBaseUrl() + "/x", url("/q=sh601318")};
    const std::vector<HttpResponse> responses = m_http.getMany(urls, 3);
    QCOMPARE(responses.size(), urls.size());
    QVERIFY(responses[0].body.startsWith("v_sh600519"));
    QVERIFY(responses[1].body.isEmpty());
    QVERIFY(responses[2].body.startsWith("v_sz000002"));
    QVERIFY(responses[3].body.startsWith("v_sz300750"));
    QVERIFY(!responses[4].ok());
    QVERIFY(responses[5].body.startsWith("v_sh601318"));
}

void CurlHttpClientTest::usableFromManyThreads() {
    std::atomic<int> good{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 6; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 5; ++i)
                if (m_http.get(url("/q=sh600519")).ok())
                    ++good;
        });
    for (auto& thread : threads)
        thread.join();
    QCOMPARE(good.load(), 30);
}

void CurlHttpClientTest::outcomeAgreesWithOk_data() {
    QTest::addColumn<HttpResponse>("response");
    QTest::addColumn<QString>("detail"); // empty: ok
    QTest::newRow("2xx") << HttpResponse{204, {}, {}} << QString();
    QTest::newRow("transport error") << HttpResponse{0, {}, u"refused"_s} << u"refused"_s;
    QTest::newRow("error despite 2xx") << HttpResponse{200, "x", u"cut short"_s} << u"cut short"_s;
    QTest::newRow("status without error") << HttpResponse{404, "gone", {}} << u"HTTP status 404"_s;
}

void CurlHttpClientTest::outcomeAgreesWithOk() {
    QFETCH(HttpResponse, response);
    QFETCH(QString, detail);
    const Status outcome = response.outcome();
    QCOMPARE(outcome.ok(), response.ok());
    QCOMPARE(outcome.detail(), detail);
    QCOMPARE(outcome.message().isEmpty(), response.ok());
}

QTEST_GUILESS_MAIN(CurlHttpClientTest)
#include "test_curl_http_client.moc"
