#include "platform/curl_http_client.h"
#include "quotes/quote_fetch.h"
#include "tests/support/quote_sim_process.h"

#include <QTest>

using namespace tavrin;

// The fetch over real loopback HTTP against the quote simulator.
class QuoteFetchTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void faultModes_data();
    void faultModes();
    void pinnedPriceGivesExactRecord();
    void oddCodesMakeNoRequestOrAreEncoded_data();
    void oddCodesMakeNoRequestOrAreEncoded();
    void batchMatchesSingleFetches();
    void batchFallsBackPerCode();
    void batchSurvivesABrokenBatchReply();

private:
    QuoteSimProcess m_sim;
    CurlHttpClient m_http{HttpLimits{1000, 1500, 1024 * 1024}};
};

void QuoteFetchTest::initTestCase() {
    QVERIFY(m_sim.start());
}

void QuoteFetchTest::init() {
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/clear")), QByteArray("ok"));
}

void QuoteFetchTest::faultModes_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("status");
    QTest::newRow("none") << "none" << static_cast<int>(FetchStatus::Fetched);
    QTest::newRow("other code") << "other-code" << static_cast<int>(FetchStatus::OtherCode);
    QTest::newRow("more than 999 fields") << "many-fields" << static_cast<int>(FetchStatus::TooManyFields);
    QTest::newRow("empty body") << "empty" << static_cast<int>(FetchStatus::Unreadable);
    QTest::newRow("dropped connection") << "drop" << static_cast<int>(FetchStatus::Unreadable);
    QTest::newRow("few fields") << "few-fields" << static_cast<int>(FetchStatus::Unreadable);
    QTest::newRow("oversized body") << "oversized" << static_cast<int>(FetchStatus::Unreadable);
    QTest::newRow("never answers") << "hang" << static_cast<int>(FetchStatus::Unreadable);
    QTest::newRow("tilde in name") << "tilde-name" << static_cast<int>(FetchStatus::Fetched);
    QTest::newRow("invalid GBK in name") << "bad-gbk" << static_cast<int>(FetchStatus::Fetched);
}

void QuoteFetchTest::faultModes() {
    QFETCH(QString, mode);
    QFETCH(int, status);
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/fault?mode=%1&code=600519").arg(mode)), QByteArray("ok"));
    const QuoteFetcher fetcher(m_http, m_sim.baseUrl());
    const QuoteResult result = fetcher.fetch(QStringLiteral("600519"));
    QCOMPARE(static_cast<int>(result.status), status);
    switch (result.status) {
    case FetchStatus::Fetched:
        QCOMPARE(result.record.code, QStringLiteral("600519"));
        QVERIFY(!result.record.name.isEmpty());
        QVERIFY(!result.record.price.isEmpty());
        break;
    case FetchStatus::OtherCode:
        QVERIFY(result.record.code != QStringLiteral("600519"));
        QVERIFY(result.record.name.isEmpty() && result.record.price.isEmpty());
        break;
    default:
        QVERIFY(result.record.code.isEmpty());
        QVERIFY(!result.error.isEmpty());
    }
}

void QuoteFetchTest::pinnedPriceGivesExactRecord() {
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/price?code=600519&price=10.00&prev=9.00")), QByteArray("ok"));
    const QuoteFetcher fetcher(m_http, m_sim.baseUrl());
    const QuoteResult result = fetcher.fetch(QStringLiteral("600519"));
    QCOMPARE(static_cast<int>(result.status), static_cast<int>(FetchStatus::Fetched));
    QCOMPARE(result.record.name, QStringLiteral("贵州茅台"));
    QCOMPARE(result.record.price, QStringLiteral("10.00"));
    QCOMPARE(result.record.change, QStringLiteral("11.11"));
    m_sim.admin(QStringLiteral("/admin/unpin?code=600519"));
}

void QuoteFetchTest::oddCodesMakeNoRequestOrAreEncoded_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("status");
    QTest::newRow("5 characters") << "60051" << static_cast<int>(FetchStatus::NoRequest);
    QTest::newRow("7 characters") << "6005190" << static_cast<int>(FetchStatus::NoRequest);
    QTest::newRow("no market") << "123456" << static_cast<int>(FetchStatus::NoRequest);
    QTest::newRow("space and five digits") << " 60051" << static_cast<int>(FetchStatus::NoRequest);
    QTest::newRow("quote character") << "6'0519" << static_cast<int>(FetchStatus::Unreadable);
    QTest::newRow("spaces and slash") << "6 /a b" << static_cast<int>(FetchStatus::Unreadable);
    QTest::newRow("Chinese, six bytes") << "6中国b" << static_cast<int>(FetchStatus::Unreadable);
}

void QuoteFetchTest::oddCodesMakeNoRequestOrAreEncoded() {
    QFETCH(QString, code);
    QFETCH(int, status);
    const QuoteFetcher fetcher(m_http, m_sim.baseUrl());
    const QByteArray url = fetcher.requestUrl(code);
    for (char c : url)
        QVERIFY2(c > ' ' && c != '\'' && c < 127, url.constData());
    QCOMPARE(static_cast<int>(fetcher.fetch(code).status), status);
}

void QuoteFetchTest::batchMatchesSingleFetches() {
    const std::vector<QString> codes{"600519", "000001", "300750", "600519", "60051", "830799", "002202"};
    m_sim.admin(QStringLiteral("/admin/price?code=600519&price=1700.00&prev=1690.00"));
    m_sim.admin(QStringLiteral("/admin/price?code=300750&price=200.00&prev=210.00"));
    const QuoteFetcher fetcher(m_http, m_sim.baseUrl());
    m_sim.admin(QStringLiteral("/admin/stats/reset"));
    const std::vector<QuoteResult> batch = fetcher.fetchMany(codes);
    QVERIFY(m_sim.admin(QStringLiteral("/admin/stats")).contains("quote_requests=1\n"));
    QCOMPARE(batch.size(), codes.size());
    for (size_t i = 0; i < codes.size(); ++i) {
        const QuoteResult single = fetcher.fetch(codes[i]);
        QCOMPARE(static_cast<int>(batch[i].status), static_cast<int>(single.status));
        QCOMPARE(batch[i].record.code, single.record.code);
        QCOMPARE(batch[i].record.name, single.record.name);
    }
    QCOMPARE(batch[0].record.change, QStringLiteral("0.59"));
    QCOMPARE(batch[2].record.change, QStringLiteral("-4.76"));
    QCOMPARE(static_cast<int>(batch[4].status), static_cast<int>(FetchStatus::NoRequest));
    m_sim.admin(QStringLiteral("/admin/unpin?code=600519"));
    m_sim.admin(QStringLiteral("/admin/unpin?code=300750"));
}

void QuoteFetchTest::batchFallsBackPerCode() {
    m_sim.admin(QStringLiteral("/admin/fault?mode=other-code&code=600036"));
    const QuoteFetcher fetcher(m_http, m_sim.baseUrl());
    const std::vector<QuoteResult> results = fetcher.fetchMany({"600519", "600036", "999999"});
    QCOMPARE(static_cast<int>(results[0].status), static_cast<int>(FetchStatus::Fetched));
    QCOMPARE(static_cast<int>(results[1].status), static_cast<int>(FetchStatus::OtherCode));
    QCOMPARE(static_cast<int>(results[2].status), static_cast<int>(FetchStatus::NoRequest));
}

void QuoteFetchTest::batchSurvivesABrokenBatchReply() {
    // An empty reply for the whole batch: every code is then asked alone.
    const QuoteFetcher fetcher(m_http, m_sim.baseUrl());
    m_sim.admin(QStringLiteral("/admin/fault?mode=empty&code=000002"));
    const std::vector<QuoteResult> results = fetcher.fetchMany({"600519", "000002", "300750"});
    QCOMPARE(static_cast<int>(results[0].status), static_cast<int>(FetchStatus::Fetched));
    QCOMPARE(static_cast<int>(results[1].status), static_cast<int>(FetchStatus::Unreadable));
    QCOMPARE(static_cast<int>(results[2].status), static_cast<int>(FetchStatus::Fetched));
}

QTEST_GUILESS_MAIN(QuoteFetchTest)
#include "test_quote_fetch.moc"
