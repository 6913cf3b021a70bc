#include "monitor/colour_pass.h"
#include "monitor/monitoring_cycle.h"
#include "platform/curl_http_client.h"
#include "store/watch_list_model.h"
#include "tests/support/quote_sim_process.h"

#include <QSignalSpy>
#include <QTest>

using namespace tavrin;

namespace {

StockRecord stock(const char* id, const char* code, const char* cost, const char* quantity) {
    StockRecord record;
    record.id = QString::fromLatin1(id);
    record.mingcheng = QStringLiteral("股票") + record.id;
    record.daima = QString::fromLatin1(code);
    record.cjjg = QString::fromLatin1(cost);
    record.cjsl = QString::fromLatin1(quantity);
    return record;
}

} // namespace

// The monitoring switch and passes against the quote simulator over loopback.
class MonitoringCycleTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void toggleTwiceReturnsToOff();
    void stopTimersLeavesTheCaption();
    void emptyListPassesDoNothing();
    void refreshWritesQuotesProfitsAndColours();
    void reloadDuringAPassMixesNoStocks();
    void tickWhileBusyIsSkipped();
    void garbledReplyIsReportedOnce();

private:
    std::unique_ptr<MonitoringCycle> makeCycle(std::function<void(const RowSnapshots&)> alertCheck = {});
    bool waitForPass(MonitoringCycle& cycle);

    QuoteSimProcess m_sim;
    WatchListModel m_model;
    QTimer m_monitorTimer;
    QTimer m_colourTimer;
    QString m_caption;
};

void MonitoringCycleTest::initTestCase() {
    QVERIFY(m_sim.start());
}

void MonitoringCycleTest::init() {
    m_sim.admin(QStringLiteral("/admin/clear"));
    m_model.fill({});
    m_caption = MonitoringCycle::offCaption();
}

void MonitoringCycleTest::cleanup() {
    setTimerPeriod(m_monitorTimer, 0);
    setTimerPeriod(m_colourTimer, 0);
}

std::unique_ptr<MonitoringCycle>
MonitoringCycleTest::makeCycle(std::function<void(const RowSnapshots&)> check) {
    auto worker = std::make_unique<MonitoringWorker>(std::make_unique<CurlHttpClient>(HttpLimits{1000, 2000}),
                                                     m_sim.baseUrl(), std::move(check));
    auto cycle = std::make_unique<MonitoringCycle>(m_model, m_monitorTimer, m_colourTimer, std::move(worker));
    connect(cycle.get(), &MonitoringCycle::captionChanged, this, [this](const QString& c) { m_caption = c; });
    return cycle;
}

bool MonitoringCycleTest::waitForPass(MonitoringCycle& cycle) {
    QSignalSpy applied(&cycle, &MonitoringCycle::passApplied);
    return applied.wait(10000);
}

void MonitoringCycleTest::toggleTwiceReturnsToOff() {
    auto cycle = makeCycle();
    cycle->toggle(m_caption);
    QCOMPARE(m_caption, QStringLiteral("停止监控"));
    QCOMPARE(timerPeriod(m_monitorTimer), 3000);
    QCOMPARE(timerPeriod(m_colourTimer), 3000);
    cycle->toggle(m_caption);
    QCOMPARE(m_caption, QStringLiteral("执行监控"));
    QCOMPARE(timerPeriod(m_monitorTimer), 0);
    QCOMPARE(timerPeriod(m_colourTimer), 0);
    cycle->toggle(QStringLiteral("别的"));
    QCOMPARE(timerPeriod(m_monitorTimer), 0);
}

void MonitoringCycleTest::stopTimersLeavesTheCaption() {
    auto cycle = makeCycle();
    cycle->toggle(m_caption);
    cycle->stopTimers();
    QCOMPARE(timerPeriod(m_monitorTimer), 0);
    QCOMPARE(timerPeriod(m_colourTimer), 0);
    QCOMPARE(m_caption, QStringLiteral("停止监控"));
}

void MonitoringCycleTest::emptyListPassesDoNothing() {
    int checks = 0;
    auto cycle = makeCycle([&](const RowSnapshots& rows) { checks += rows.empty() ? 1 : 100; });
    cycle->tick();
    QVERIFY(waitForPass(*cycle));
    QCOMPARE(checks, 1);
    QCOMPARE(m_model.rowCount(), 0);
}

void MonitoringCycleTest::refreshWritesQuotesProfitsAndColours() {
    m_sim.admin(QStringLiteral("/admin/price?code=600519&price=10.50&prev=10.50"));
    m_sim.admin(QStringLiteral("/admin/price?code=600036&price=10.50&prev=10.51"));
    m_sim.admin(QStringLiteral("/admin/price?code=000002&price=10.50&prev=10.00"));
    m_model.fill({stock("1", "600519", "9.8", "1000"), stock("2", "600036", "11", "1000"),
                  stock("3", "000002", "9.8", ""), stock("4", "60051", "1", "1")});
    auto cycle = makeCycle();
    cycle->refreshNow();
    QVERIFY(waitForPass(*cycle));
    QCOMPARE(m_model.cell(0, WatchListModel::Price), QStringLiteral("10.50"));
    QCOMPARE(m_model.cell(0, WatchListModel::Change), QStringLiteral("0"));
    QCOMPARE(m_model.cell(0, WatchListModel::Profit), QStringLiteral("700"));
    QCOMPARE(m_model.cell(1, WatchListModel::Change), QStringLiteral("-0.1"));
    QCOMPARE(m_model.cell(1, WatchListModel::Profit), QStringLiteral("-500"));
    QCOMPARE(m_model.cell(2, WatchListModel::Profit), QStringLiteral("0"));
    QVERIFY(!m_model.cell(2, WatchListModel::Volume).isEmpty());
    QVERIFY(m_model.cell(3, WatchListModel::Price).isEmpty());
    QCOMPARE(m_model.cellColours().lookup(0, WatchListModel::Change)->text, colours::red);
    QCOMPARE(m_model.cellColours().lookup(1, WatchListModel::Change)->text, colours::green);

    runColourPass(m_model);
    QCOMPARE(m_model.cellColours().lookup(0, WatchListModel::Name)->text, colours::red);
    QCOMPARE(m_model.cellColours().lookup(1, WatchListModel::Name)->text, colours::blue);
    QVERIFY(!m_model.cellColours().lookup(2, WatchListModel::Name));
    QVERIFY(!m_model.cellColours().lookup(3, WatchListModel::Name));
    for (const char* code : {"600519", "600036", "000002"})
        m_sim.admin(QStringLiteral("/admin/unpin?code=") + QLatin1String(code));
}

void MonitoringCycleTest::reloadDuringAPassMixesNoStocks() {
    m_sim.admin(QStringLiteral("/admin/price?code=600519&price=1700.00"));
    m_sim.admin(QStringLiteral("/admin/price?code=600036&price=40.00"));
    m_sim.admin(QStringLiteral("/admin/fault?mode=latency&ms=300"));
    m_model.fill({stock("1", "600519", "", ""), stock("2", "600036", "", "")});
    auto cycle = makeCycle();
    cycle->refreshNow();
    // The first stock is deleted while the pass is under way.
    m_model.fill({stock("2", "600036", "", "")});
    QVERIFY(waitForPass(*cycle));
    QVERIFY(m_model.cell(0, WatchListModel::Price).isEmpty() ||
            m_model.cell(0, WatchListModel::Price) == QStringLiteral("40.00"));
    m_sim.admin(QStringLiteral("/admin/unpin?code=600519"));
    m_sim.admin(QStringLiteral("/admin/unpin?code=600036"));
}

void MonitoringCycleTest::tickWhileBusyIsSkipped() {
    m_sim.admin(QStringLiteral("/admin/fault?mode=latency&ms=500"));
    m_model.fill({stock("1", "600519", "", "")});
    int checks = 0;
    auto cycle = makeCycle([&](const RowSnapshots&) { ++checks; });
    cycle->tick();
    cycle->tick();
    cycle->tick();
    QCOMPARE(cycle->skippedTicks(), 2);
    QVERIFY(waitForPass(*cycle));
    QCOMPARE(checks, 1);
    QVERIFY(!m_model.cell(0, WatchListModel::Price).isEmpty());
}

void MonitoringCycleTest::garbledReplyIsReportedOnce() {
    m_sim.admin(QStringLiteral("/admin/fault?mode=many-fields&code=600519"));
    m_model.fill({stock("1", "600519", "", ""), stock("2", "600036", "", "")});
    auto cycle = makeCycle();
    QSignalSpy garbled(cycle.get(), &MonitoringCycle::garbledReply);
    cycle->refreshNow();
    QVERIFY(waitForPass(*cycle));
    QCOMPARE(garbled.count(), 1);
    QVERIFY(m_model.cell(0, WatchListModel::Price).isEmpty());
    QVERIFY(!m_model.cell(1, WatchListModel::Price).isEmpty());
}

QTEST_GUILESS_MAIN(MonitoringCycleTest)
#include "test_monitoring_cycle.moc"
