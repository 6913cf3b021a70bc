#include "app/main_window/program_pictures.h"
#include "app/program.h"
#include "platform/gbk.h"
#include "store/database_file.h"
#include "tests/support/quote_sim_process.h"
#include "tests/support/scoped_env.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <list>

using namespace tavrin;

// The real program's objects against the quote simulator: monitoring switched on
// with the button, ticks every 3 s, alerts into the log and the state file.
class MonitoringSessionTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void risingStockRaisesStreakAndTargetAlerts();
    void unreadableStateFileStillRaisesAlerts();

private:
    void seed(const QString& dataDir);
    static QString logText(const QString& dataDir);
    // Monitoring on with the button; every pass raises 600519 by 0.10 for the next one.
    void monitorRisingPrice(Program& program, int passes);

    QuoteSimProcess m_sim;
    QTemporaryDir m_dataDir;
    std::list<ScopedEnv> m_env;
};

void MonitoringSessionTest::initTestCase() {
    QVERIFY(m_sim.start());
    QVERIFY(m_dataDir.isValid());
    m_env.emplace_back("TAVRIN_DATA_DIR", m_dataDir.path().toUtf8());
    m_env.emplace_back("TAVRIN_QUOTE_URL", m_sim.baseUrl().toUtf8());
    seed(m_dataDir.path());
    Profile settings(m_dataDir.filePath(QStringLiteral("gupiao.ini")));
    QVERIFY(settings.write(u"股票时间", u"贵州茅台", u"3"));
    QVERIFY(settings.write(u"下跌预警", u"贵州茅台下跌预警", u"真"));
}

void MonitoringSessionTest::seed(const QString& dataDir) {
    QDir(dataDir).mkpath(QStringLiteral("log"));
    const QString database = QDir(dataDir).filePath(QStringLiteral("Database.db"));
    QVERIFY(provisionDatabaseFile(database));
    StockDatabase db;
    QVERIFY(db.open(database));
    const AppendResult moutai = db.append({QStringLiteral("贵州茅台"), QStringLiteral("600519"),
                                           QStringLiteral("9.90"), QStringLiteral("1000")});
    QVERIFY(moutai);
    QVERIFY(db.update(moutai.id, {{StockField::Yjnr, QStringLiteral("上涨到")},
                                  {StockField::Yjjg, QStringLiteral("10.05")}}));
    QVERIFY(db.append(
        {QStringLiteral("招商银行"), QStringLiteral("600036"), QStringLiteral("50"), QStringLiteral("100")}));
    m_sim.admin(QStringLiteral("/admin/price?code=600519&price=10.00&prev=10.00"));
    m_sim.admin(QStringLiteral("/admin/price?code=600036&price=40.00&prev=40.00"));
}

QString MonitoringSessionTest::logText(const QString& dataDir) {
    QDir logDir(QDir(dataDir).filePath(QStringLiteral("log")));
    QString text;
    for (const QString& name : logDir.entryList({QStringLiteral("*.txt")})) {
        QFile file(logDir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            text += gbk::decode(file.readAll());
    }
    return text;
}

void MonitoringSessionTest::risingStockRaisesStreakAndTargetAlerts() {
    Program program(programIcon());
    program.window().show();
    program.start();
    MainWindow& window = program.window();
    WatchListModel& list = *window.watchListModel();
    QCOMPARE(list.rowCount(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(list.cell(0, WatchListModel::Price), QStringLiteral("10.00"), 10000);
    QVERIFY(logText(m_dataDir.path()).contains(QStringLiteral("  =========程序启动===========\r\n")));

    // Ticks 2, 3 and 4 see three rises: the third reaches the streak length of 3.
    monitorRisingPrice(program, 4);
    const QString log = logText(m_dataDir.path());
    QVERIFY2(log.contains(QStringLiteral("[贵州茅台]原来股票价格: 当前股价:10.00。 已经连续1分钟上涨.")),
             qPrintable(log));
    QVERIFY(log.contains(QStringLiteral("↑[贵州茅台]已经持续上涨3分钟达到警告值，发送警告")));
    QVERIFY(!log.contains(QStringLiteral("↑[招商银行]")));

    Profile settings(m_dataDir.filePath(QStringLiteral("gupiao.ini")));
    QVERIFY(settings.read(u"预警次数", u"贵州茅台").toInt() >= 1);
    QCOMPARE(settings.read(u"次数纪录", u"贵州茅台下跌次数"), QStringLiteral("0"));
    QVERIFY(!settings.read(u"股票价格", u"贵州茅台").isEmpty());
    // The position is in profit: the colour pass painted the row red.
    QCOMPARE(list.cellColours().lookup(0, WatchListModel::Name)->text, colours::red);
    QCOMPARE(list.cellColours().lookup(1, WatchListModel::Name)->text, colours::blue);
}

void MonitoringSessionTest::monitorRisingPrice(Program& program, int passCount) {
    double price = 10.00;
    const auto raise = connect(&program.monitoring(), &MonitoringCycle::passApplied, this, [&] {
        price += 0.10;
        m_sim.admin(QStringLiteral("/admin/price?code=600519&price=%1").arg(price, 0, 'f', 2));
    });
    QPushButton* button = program.window().monitorButton();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(button->text(), QStringLiteral("停止监控"));
    QSignalSpy passes(&program.monitoring(), &MonitoringCycle::passApplied);
    QTRY_VERIFY_WITH_TIMEOUT(passes.count() >= passCount, 20000);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(button->text(), QStringLiteral("执行监控"));
    disconnect(raise);
}

void MonitoringSessionTest::unreadableStateFileStillRaisesAlerts() {
    QTemporaryDir dataDir;
    seed(dataDir.path());
    // A folder in the place of gupiao.ini: the state cannot be read or written.
    QVERIFY(QDir(dataDir.path()).mkdir(QStringLiteral("gupiao.ini")));
    qputenv("TAVRIN_DATA_DIR", dataDir.path().toUtf8());
    Program program(programIcon());
    program.window().show();
    program.start();
    WatchListModel& list = *program.window().watchListModel();
    QTRY_COMPARE_WITH_TIMEOUT(list.cell(0, WatchListModel::Price), QStringLiteral("10.00"), 10000);

    monitorRisingPrice(program, 4);
    const QString log = logText(dataDir.path());
    // Without a streak length the default of 3 applies, counted in memory.
    QVERIFY2(log.contains(QStringLiteral("↑[贵州茅台]已经持续上涨3分钟达到警告值，发送警告")),
             qPrintable(log));
    QCOMPARE(log.count(QStringLiteral("预警状态无法保存")), 1);
    QVERIFY(program.alertState().inMemory());
    QVERIFY(QFileInfo(QDir(dataDir.path()).filePath(QStringLiteral("gupiao.ini"))).isDir());
}

QTEST_MAIN(MonitoringSessionTest)
#include "test_monitoring_session.moc"
