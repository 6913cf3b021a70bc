#include "monitor/colour_pass.h"
#include "monitor/monitoring_cycle.h"
#include "platform/curl_http_client.h"
#include "store/watch_list_model.h"
#include "tests/support/quote_sim_process.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <chrono>
#include <thread>

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
    void aTickDuringAnAlertCheckIsSkipped();
    void aHungCodeHoldsBackNoOtherRow();
    void aSlowServiceStillUpdatesTheList();
    void closingIsQuickWhileARequestHangs();
    void garbledReplyIsReportedOnce();

private:
    std::unique_ptr<MonitoringCycle> makeCycle(std::function<void(const RowSnapshots&)> alertCheck = {},
                                               long singleTimeoutMs = 2000);
    bool waitForPass(MonitoringCycle& cycle);
    // Ticks every periodMs, as the monitoring timer does, ticks times.
    void tickEvery(MonitoringCycle& cycle, int periodMs, int ticks);

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

// A batch gives up after 150 ms, a single request after singleTimeoutMs.
std::unique_ptr<MonitoringCycle>
MonitoringCycleTest::makeCycle(std::function<void(const RowSnapshots&)> check, long singleTimeoutMs) {
    QuoteRequestLimits limits;
    limits.batchStallMs = 150;
    auto worker = std::make_unique<MonitoringWorker>(
        std::make_unique<CurlHttpClient>(HttpLimits{150, 150}),
        std::make_unique<CurlHttpClient>(HttpLimits{1000, singleTimeoutMs}), m_sim.baseUrl(),
        std::move(check), limits);
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
    QVERIFY(!cycle->isMonitoring());
    cycle->toggle(m_caption);
    QCOMPARE(m_caption, QStringLiteral("停止监控"));
    QVERIFY(cycle->isMonitoring());
    QCOMPARE(timerPeriod(m_monitorTimer), 3000);
    QCOMPARE(timerPeriod(m_colourTimer), 3000);
    cycle->toggle(m_caption);
    QCOMPARE(m_caption, QStringLiteral("执行监控"));
    QVERIFY(!cycle->isMonitoring());
    QCOMPARE(timerPeriod(m_monitorTimer), 0);
    QCOMPARE(timerPeriod(m_colourTimer), 0);
    cycle->toggle(QStringLiteral("别的"));
    QCOMPARE(timerPeriod(m_monitorTimer), 0);
    QVERIFY(!cycle->isMonitoring());
}

void MonitoringCycleTest::stopTimersLeavesTheCaption() {
    auto cycle = makeCycle();
    cycle->toggle(m_caption);
    cycle->stopTimers();
    QCOMPARE(timerPeriod(m_monitorTimer), 0);
    QCOMPARE(timerPeriod(m_colourTimer), 0);
    QCOMPARE(m_caption, QStringLiteral("停止监控"));
    QVERIFY(cycle->isMonitoring());
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

void MonitoringCycleTest::tickEvery(MonitoringCycle& cycle, int periodMs, int ticks) {
    QTimer timer;
    int ticked = 0;
    connect(&timer, &QTimer::timeout, this, [&] {
        cycle.tick();
        if (++ticked == ticks)
            timer.stop();
    });
    timer.start(periodMs);
    QTRY_VERIFY_WITH_TIMEOUT(!timer.isActive(), periodMs * ticks * 4);
}

void MonitoringCycleTest::aTickDuringAnAlertCheckIsSkipped() {
    m_model.fill({stock("1", "600519", "", "")});
    std::atomic<bool> checking{false};
    std::atomic<bool> release{false};
    auto cycle = makeCycle([&](const RowSnapshots&) {
        checking = true;
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    QSignalSpy passes(cycle.get(), &MonitoringCycle::passApplied);
    cycle->tick();
    QTRY_VERIFY(checking.load());
    cycle->tick();
    QCOMPARE(cycle->skippedTicks(), 1);
    release = true;
    QTRY_COMPARE(passes.count(), 1);
    QVERIFY(!m_model.cell(0, WatchListModel::Price).isEmpty());
    QTRY_VERIFY(!cycle->isBusy());
}

void MonitoringCycleTest::aHungCodeHoldsBackNoOtherRow() {
    if (qEnvironmentVariableIsSet("TAVRIN_EMULATED"))
        QSKIP("pass timing against the tick is checked in the native runs");
    // The service holds 000002 until the client gives up; the other four must be
    // checked and refreshed at every tick all the same.
    m_sim.admin(QStringLiteral("/admin/fault?mode=hang&code=000002"));
    m_model.fill({stock("1", "600519", "", ""), stock("2", "000002", "", ""), stock("3", "600036", "", ""),
                  stock("4", "300750", "", ""), stock("5", "601318", "", "")});
    std::atomic<int> checks{0};
    auto cycle = makeCycle([&](const RowSnapshots& rows) { checks += rows.size() == 5 ? 1 : 100; }, 1000);
    QList<int> written;
    connect(cycle.get(), &MonitoringCycle::passApplied, this, [&](int rows) { written << rows; });
    constexpr int ticks = 10;
    tickEvery(*cycle, 500, ticks);
    // The last passes end when their requests do: the hung one's after its time-out.
    QTRY_COMPARE_WITH_TIMEOUT(written.size(), ticks, 5000);
    QCOMPARE(cycle->skippedTicks(), 0);
    QCOMPARE(checks.load(), ticks);
    QCOMPARE(written, QList<int>(ticks, 4));
    QVERIFY(m_model.cell(1, WatchListModel::Price).isEmpty());
}

void MonitoringCycleTest::aSlowServiceStillUpdatesTheList() {
    if (qEnvironmentVariableIsSet("TAVRIN_EMULATED"))
        QSKIP("pass timing against the tick is checked in the native runs");
    // Every answer takes longer than a batch may wait: the list follows at the
    // service's pace.
    m_sim.admin(QStringLiteral("/admin/fault?mode=latency&ms=600"));
    m_sim.admin(QStringLiteral("/admin/price?code=600519&price=1700.00"));
    m_sim.admin(QStringLiteral("/admin/price?code=600036&price=40.00"));
    m_model.fill({stock("1", "600519", "", ""), stock("2", "600036", "", "")});
    auto cycle = makeCycle({}, 3000);
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, cycle.get(), &MonitoringCycle::tick);
    ticker.start(300);
    QTRY_COMPARE_WITH_TIMEOUT(m_model.cell(0, WatchListModel::Price), QStringLiteral("1700.00"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_model.cell(1, WatchListModel::Price), QStringLiteral("40.00"), 10000);
    m_sim.admin(QStringLiteral("/admin/price?code=600519&price=1701.00"));
    m_sim.admin(QStringLiteral("/admin/price?code=600036&price=41.00"));
    QTRY_COMPARE_WITH_TIMEOUT(m_model.cell(0, WatchListModel::Price), QStringLiteral("1701.00"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_model.cell(1, WatchListModel::Price), QStringLiteral("41.00"), 10000);
    ticker.stop();
    QCOMPARE(cycle->skippedTicks(), 0);
    m_sim.admin(QStringLiteral("/admin/unpin?code=600519"));
    m_sim.admin(QStringLiteral("/admin/unpin?code=600036"));
}

void MonitoringCycleTest::closingIsQuickWhileARequestHangs() {
    m_sim.admin(QStringLiteral("/admin/fault?mode=hang"));
    m_model.fill({stock("1", "600519", "", ""), stock("2", "600036", "", "")});
    // Without cancelling, closing would wait out the 30 s time-out.
    auto cycle = makeCycle({}, 30000);
    m_sim.admin(QStringLiteral("/admin/stats/reset"));
    cycle->tick();
    // The batch gave up and both codes are now asked alone.
    QTRY_VERIFY(m_sim.admin(QStringLiteral("/admin/stats")).contains("quote_requests=3\n"));
    QElapsedTimer closing;
    closing.start();
    cycle.reset();
    QVERIFY2(closing.elapsed() < 5000, qPrintable(QString::number(closing.elapsed())));
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
