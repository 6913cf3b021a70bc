#include "monitor/daily_log.h"
#include "platform/gbk.h"
#include "tests/support/recorders.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

using namespace tavrin;
using namespace tavrin::test;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QDateTime at(int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

} // namespace

class TestDailyLog : public QObject {
    Q_OBJECT

private slots:
    void namesAndStampsHaveNoLeadingZeros_data();
    void namesAndStampsHaveNoLeadingZeros();
    void startupLineOnAFixedClock();
    void linesAreAppended();
    void linesOfOneCheckAreAppendedTogether();
    void lineAfterMidnightGoesToTheNextDay();
    void withoutLogFolderNothingIsWritten();
    void linesFromManyThreadsStayWhole();
};

void TestDailyLog::namesAndStampsHaveNoLeadingZeros_data() {
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("stamp");
    QTest::newRow("single digits") << at(2024, 3, 5, 9, 5, 7) << u"2024-3-5.txt"_s << u"2024-3-5 9:5:7"_s;
    QTest::newRow("midnight") << at(2024, 1, 1, 0, 0, 0) << u"2024-1-1.txt"_s << u"2024-1-1 0:0:0"_s;
    QTest::newRow("two digits") << at(2023, 12, 31, 23, 59, 59) << u"2023-12-31.txt"_s
                                << u"2023-12-31 23:59:59"_s;
    QTest::newRow("ten") << at(2025, 10, 10, 10, 10, 10) << u"2025-10-10.txt"_s << u"2025-10-10 10:10:10"_s;
}

void TestDailyLog::namesAndStampsHaveNoLeadingZeros() {
    QFETCH(QDateTime, when);
    QFETCH(QString, fileName);
    QFETCH(QString, stamp);
    QCOMPARE(DailyLog::fileName(when.date()), fileName);
    QCOMPARE(DailyLog::formatLine(when, u"消息"), gbk::encode(QString(stamp + u"  消息\r\n"_s)));
}

void TestDailyLog::startupLineOnAFixedClock() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"log"_s));
    FixedClock clock(at(2024, 3, 5, 9, 5, 7));
    DailyLog log(dir.path(), clock);
    QVERIFY(log.append(startupLogMessage));
    QCOMPARE(log.filePath(QDate(2024, 3, 5)), dir.filePath(u"log/2024-3-5.txt"_s));
    QCOMPARE(fileBytes(dir.filePath(u"log/2024-3-5.txt"_s)),
             gbk::encode(u"2024-3-5 9:5:7  =========程序启动===========\r\n"));
}

void TestDailyLog::linesAreAppended() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"log"_s));
    const QString path = dir.filePath(u"log/2024-3-5.txt"_s);
    {
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("2024-3-5 8:0:0  old\r\n");
    }
    FixedClock clock(at(2024, 3, 5, 9, 5, 7));
    DailyLog log(dir.path(), clock);
    log.writeLine(u"↑[平安银行]已经持续上涨3分钟达到警告值，发送警告"_s);
    clock.set(at(2024, 3, 5, 9, 5, 10));
    log.writeLine(u"second"_s);
    QCOMPARE(fileBytes(path),
             "2024-3-5 8:0:0  old\r\n" +
                 gbk::encode(u"2024-3-5 9:5:7  ↑[平安银行]已经持续上涨3分钟达到警告值，发送警告\r\n") +
                 "2024-3-5 9:5:10  second\r\n");
}

void TestDailyLog::linesOfOneCheckAreAppendedTogether() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"log"_s));
    FixedClock clock(at(2024, 3, 5, 9, 5, 7));
    DailyLog log(dir.path(), clock);
    log.writeLine(u"first"_s);
    log.writeLines({u"[平安银行]股价同比上一分钟低记录上涨记录重新开始"_s, u"third"_s});
    log.writeLines({});
    QCOMPARE(fileBytes(dir.filePath(u"log/2024-3-5.txt"_s)),
             "2024-3-5 9:5:7  first\r\n" +
                 gbk::encode(u"2024-3-5 9:5:7  [平安银行]股价同比上一分钟低记录上涨记录重新开始\r\n") +
                 "2024-3-5 9:5:7  third\r\n");
}

void TestDailyLog::lineAfterMidnightGoesToTheNextDay() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"log"_s));
    FixedClock clock(at(2024, 2, 29, 23, 59, 59));
    DailyLog log(dir.path(), clock);
    log.writeLine(u"before"_s);
    clock.set(at(2024, 3, 1, 0, 0, 0));
    log.writeLine(u"after"_s);
    QCOMPARE(fileBytes(dir.filePath(u"log/2024-2-29.txt"_s)), QByteArray("2024-2-29 23:59:59  before\r\n"));
    QCOMPARE(fileBytes(dir.filePath(u"log/2024-3-1.txt"_s)), QByteArray("2024-3-1 0:0:0  after\r\n"));
}

void TestDailyLog::withoutLogFolderNothingIsWritten() {
    QTemporaryDir dir;
    FixedClock clock(at(2024, 3, 5, 9, 5, 7));
    DailyLog log(dir.path(), clock);
    QVERIFY(!log.append(startupLogMessage));
    log.writeLine(u"silent"_s);
    QVERIFY(!QFile::exists(dir.filePath(u"log"_s)));
    QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

void TestDailyLog::linesFromManyThreadsStayWhole() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"log"_s));
    FixedClock clock(at(2024, 3, 5, 9, 5, 7));
    constexpr int threads = 6;
    constexpr int lines = 150;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            DailyLog log(dir.path(), clock);
            for (int i = 0; i < lines; ++i)
                log.writeLine(u"[线程"_s + QString::number(t) + u"]第"_s + QString::number(i) + u"行 " +
                              QString(40, u'长'));
        });
    }
    for (std::thread& worker : workers)
        worker.join();

    const QByteArray bytes = fileBytes(dir.filePath(u"log/2024-3-5.txt"_s));
    QVERIFY(bytes.endsWith("\r\n"));
    QList<QByteArray> written = bytes.split('\n');
    QCOMPARE(written.takeLast(), QByteArray());
    QCOMPARE(written.size(), threads * lines);
    static const QRegularExpression whole(u"^2024-3-5 9:5:7  \\[线程(\\d)\\]第(\\d+)行 长{40}\\r$"_s);
    QSet<QString> seen;
    for (const QByteArray& line : written) {
        const QString text = gbk::decode(line);
        const QRegularExpressionMatch match = whole.match(text);
        QVERIFY2(match.hasMatch(), qPrintable(text));
        seen.insert(match.captured(1) + u'/' + match.captured(2));
    }
    QCOMPARE(seen.size(), threads * lines);
}

QTEST_GUILESS_MAIN(TestDailyLog)
#include "test_daily_log.moc"
