#include "platform/curl_http_client.h"
#include "quotes/async_quote_lookup.h"
#include "tests/support/quote_sim_process.h"

#include <QSignalSpy>
#include <QTest>

using namespace tavrin;

namespace {

struct Answer {
    quint64 sequence = 0;
    QString code;
    QuoteResult result;
    QThread* thread = nullptr;
};

// Collects the answers of a lookup as they arrive, with the thread they arrive on.
class AnswerLog : public QObject {
public:
    explicit AnswerLog(AsyncQuoteLookup& lookup) {
        connect(&lookup, &AsyncQuoteLookup::answered, this,
                [this](quint64 sequence, const QString& code, const QuoteResult& result) {
                    answers.push_back({sequence, code, result, QThread::currentThread()});
                });
    }
    std::vector<Answer> answers;
};

std::unique_ptr<AsyncQuoteLookup> lookupAt(const QString& baseUrl) {
    return std::make_unique<AsyncQuoteLookup>(std::make_unique<CurlHttpClient>(HttpLimits{1000, 2000}),
                                              baseUrl);
}

} // namespace

// Quote look-ups on a worker thread, over loopback against the quote simulator.
class AsyncQuoteLookupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void answersOnTheOwnersThreadInOrder();
    void failuresAreAnswersToo_data();
    void failuresAreAnswersToo();
    void requestReturnsBeforeTheReply();
    void destroyedWhileARequestHangs();

private:
    QuoteSimProcess m_sim;
};

void AsyncQuoteLookupTest::initTestCase() {
    QVERIFY(m_sim.start());
}

void AsyncQuoteLookupTest::init() {
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/clear")), QByteArray("ok"));
}

void AsyncQuoteLookupTest::answersOnTheOwnersThreadInOrder() {
    QVERIFY(!m_sim.admin(QStringLiteral("/admin/price?code=600519&price=1712.34")).isNull());
    QVERIFY(!m_sim.admin(QStringLiteral("/admin/price?code=002202&price=8.76")).isNull());
    auto lookup = lookupAt(m_sim.baseUrl());
    AnswerLog log(*lookup);
    QCOMPARE(lookup->latestRequest(), quint64(0));
    QCOMPARE(lookup->request(QStringLiteral("600519")), quint64(1));
    QCOMPARE(lookup->request(QStringLiteral("002202")), quint64(2));
    QCOMPARE(lookup->latestRequest(), quint64(2));

    QTRY_COMPARE(log.answers.size(), size_t(2));
    QCOMPARE(log.answers[0].sequence, quint64(1));
    QCOMPARE(log.answers[0].code, QStringLiteral("600519"));
    QCOMPARE(log.answers[0].result.status, FetchStatus::Fetched);
    QCOMPARE(log.answers[0].result.record.name, QStringLiteral("贵州茅台"));
    QCOMPARE(log.answers[0].result.record.price, QStringLiteral("1712.34"));
    QCOMPARE(log.answers[1].sequence, quint64(2));
    QCOMPARE(log.answers[1].result.record.code, QStringLiteral("002202"));
    QCOMPARE(log.answers[1].result.record.price, QStringLiteral("8.76"));
    for (const Answer& answer : log.answers)
        QCOMPARE(answer.thread, QThread::currentThread());
}

void AsyncQuoteLookupTest::failuresAreAnswersToo_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<FetchStatus>("status");
    QTest::newRow("no market prefix") << "123456"
                                      << "" << true << FetchStatus::NoRequest;
    QTest::newRow("space and five digits") << " 60051"
                                           << "" << true << FetchStatus::NoRequest;
    QTest::newRow("reply for another code") << "600519"
                                            << "other-code" << true << FetchStatus::OtherCode;
    QTest::newRow("unreachable service") << "600519"
                                         << "" << false << FetchStatus::Unreadable;
}

void AsyncQuoteLookupTest::failuresAreAnswersToo() {
    QFETCH(QString, code);
    QFETCH(QString, fault);
    QFETCH(bool, reachable);
    QFETCH(FetchStatus, status);
    if (!fault.isEmpty())
        QCOMPARE(m_sim.admin(QStringLiteral("/admin/fault?mode=%1&code=%2").arg(fault, code)),
                 QByteArray("ok"));
    auto lookup = lookupAt(reachable ? m_sim.baseUrl() : QString::fromLatin1(unreachableBaseUrl()));
    AnswerLog log(*lookup);
    lookup->request(code);
    QTRY_COMPARE(log.answers.size(), size_t(1));
    QCOMPARE(log.answers[0].code, code);
    QCOMPARE(log.answers[0].result.status, status);
    QVERIFY(log.answers[0].result.record.name.isEmpty());
}

void AsyncQuoteLookupTest::requestReturnsBeforeTheReply() {
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/fault?mode=latency&code=600519&ms=300")), QByteArray("ok"));
    auto lookup = lookupAt(m_sim.baseUrl());
    AnswerLog log(*lookup);
    lookup->request(QStringLiteral("600519"));
    // Nothing can have been answered yet: answers come through this thread's event loop.
    QVERIFY(log.answers.empty());
    QTRY_COMPARE(log.answers.size(), size_t(1));
    QCOMPARE(log.answers[0].result.status, FetchStatus::Fetched);
}

void AsyncQuoteLookupTest::destroyedWhileARequestHangs() {
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/fault?mode=hang&code=600519")), QByteArray("ok"));
    auto lookup = std::make_unique<AsyncQuoteLookup>(m_sim.baseUrl());
    AnswerLog log(*lookup);
    lookup->request(QStringLiteral("600519"));
    lookup->request(QStringLiteral("002202"));
    lookup.reset();
    QCoreApplication::processEvents();
    QVERIFY(log.answers.empty());
}

QTEST_GUILESS_MAIN(AsyncQuoteLookupTest)
#include "test_async_quote_lookup.moc"
