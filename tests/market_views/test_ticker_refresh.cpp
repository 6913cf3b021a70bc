#include "app/market_views/ticker_refresh.h"
#include "tests/market_views/ticker_fakes.h"
#include "tests/support/quote_sim_process.h"

#include <QSignalSpy>
#include <QTest>

using namespace tavrin;
using namespace tavrin::test;
using namespace Qt::StringLiterals;

namespace {

// "order:text" of every label update a spy saw.
QStringList updates(const QSignalSpy& spy) {
    QStringList texts;
    for (const QList<QVariant>& call : spy)
        texts.append(QString::number(call.at(0).toInt()) + u':' + call.at(1).value<IndexLabelText>().text);
    return texts;
}

const QStringList pinnedLabels = {u"0:3012.34  0.41%↑"_s, u"1:9400.00  -0.85%↓"_s, u"2:1850.66"_s};

} // namespace

// The sweeps of the ticker bar over real loopback HTTP against the quote simulator.
class TickerRefreshTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qRegisterMetaType<IndexLabelText>();
        QVERIFY(m_sim.start());
    }
    void init() {
        QCOMPARE(m_sim.admin(u"/admin/clear"_s), QByteArray("ok"));
        QCOMPARE(m_sim.admin(u"/admin/price?code=sh000001&price=3012.34&prev=3000.00"_s), QByteArray("ok"));
        QCOMPARE(m_sim.admin(u"/admin/price?code=sz399001&price=9400.00&prev=9480.35"_s), QByteArray("ok"));
        QCOMPARE(m_sim.admin(u"/admin/price?code=sz399006&price=1850.66&prev=1850.66"_s), QByteArray("ok"));
    }

    void threeIndicesInTableOrder_data() {
        QTest::addColumn<bool>("answersBatches");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("one batch request") << true << QStringList{u"/q=sh000001,sz399001,sz399006"_s};
        QTest::newRow("three single requests where batches are not answered")
            << false
            << QStringList{u"/q=sh000001,sz399001,sz399006"_s, u"/q=sh000001"_s, u"/q=sz399001"_s,
                           u"/q=sz399006"_s};
    }
    void threeIndicesInTableOrder() {
        QFETCH(bool, answersBatches);
        QFETCH(QStringList, paths);
        auto http = std::make_unique<RecordingHttp>(answersBatches);
        RecordingHttp* recorder = http.get();
        RecordingNotifier notifier;
        TickerRefresh refresh(std::move(http), m_sim.baseUrl() + u'/', notifier);
        QSignalSpy labels(&refresh, &TickerRefresh::indexUpdated);
        QSignalSpy applied(&refresh, &TickerRefresh::sweepApplied);

        QVERIFY(refresh.startSweep());
        QTRY_COMPARE(applied.count(), 1);
        QCOMPARE(updates(labels), pinnedLabels);
        QStringList asked;
        for (const QByteArray& url : recorder->urls())
            asked.append(QString::fromLatin1(url).mid(m_sim.baseUrl().size()));
        QCOMPARE(asked, paths);
        QVERIFY(notifier.balloons().isEmpty());
    }

    void aTickWhileASweepRunsIsSkipped() {
        QCOMPARE(m_sim.admin(u"/admin/fault?mode=latency&ms=1500"_s), QByteArray("ok"));
        auto http = std::make_unique<RecordingHttp>();
        RecordingHttp* recorder = http.get();
        RecordingNotifier notifier;
        TickerRefresh refresh(std::move(http), m_sim.baseUrl(), notifier);
        QSignalSpy applied(&refresh, &TickerRefresh::sweepApplied);

        QVERIFY(refresh.startSweep());
        QVERIFY(refresh.isBusy());
        QVERIFY(!refresh.startSweep());
        QVERIFY(!refresh.startSweep());
        QTRY_COMPARE(applied.count(), 1);
        QTRY_VERIFY(!refresh.isBusy());
        QCOMPARE(recorder->urls().size(), 1); // the skipped ticks asked nothing
        QVERIFY(refresh.startSweep());
        QTRY_COMPARE(applied.count(), 2);
        QCOMPARE(recorder->urls().size(), 2);
    }

    void noReplyShowsOneBalloonPerSweep_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<int>("requestsPerSweep");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("no service") << QString() << false << 1 << QStringList();
        QTest::newRow("connection dropped") << u"mode=drop"_s << true << 1 << QStringList();
        QTest::newRow("empty replies") << u"mode=empty"_s << true << 4 << QStringList();
        // The batch is empty as a whole; the single requests bring the other two.
        QTest::newRow("one index empty")
            << u"mode=empty&code=sz399001"_s << true << 4 << QStringList{pinnedLabels[0], pinnedLabels[2]};
    }
    void noReplyShowsOneBalloonPerSweep() {
        QFETCH(QString, fault);
        QFETCH(bool, reachable);
        QFETCH(int, requestsPerSweep);
        QFETCH(QStringList, labels);
        if (!fault.isEmpty())
            QCOMPARE(m_sim.admin(u"/admin/fault?"_s + fault), QByteArray("ok"));
        auto http = std::make_unique<RecordingHttp>();
        RecordingHttp* recorder = http.get();
        RecordingNotifier notifier;
        const QString base = reachable ? m_sim.baseUrl() : QString::fromLatin1(unreachableBaseUrl());
        TickerRefresh refresh(std::move(http), base, notifier);
        QSignalSpy updated(&refresh, &TickerRefresh::indexUpdated);
        QSignalSpy applied(&refresh, &TickerRefresh::sweepApplied);

        for (int sweep = 1; sweep <= 2; ++sweep) {
            QTRY_VERIFY(!refresh.isBusy());
            QVERIFY(refresh.startSweep());
            QTRY_COMPARE(applied.count(), sweep);
            QCOMPARE(notifier.balloons().size(), sweep);
        }
        QCOMPARE(describe(notifier.balloons()),
                 QStringList(2, u"网络连接失败|读取股票数据失败，请查看网络是否正常|1|10000"_s));
        QCOMPARE(notifier.balloons().first(), tickerNetworkFailureBalloon());
        QCOMPARE(recorder->urls().size(), 2 * requestsPerSweep);
        QCOMPARE(updates(updated), labels + labels);
    }

private:
    QuoteSimProcess m_sim{{u"--step-ms"_s, u"0"_s}};
};

QTEST_GUILESS_MAIN(TickerRefreshTest)
#include "test_ticker_refresh.moc"
