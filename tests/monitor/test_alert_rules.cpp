#include "alert_fakes.h"
#include "monitor/alert_rules.h"
#include "monitor/alert_state.h"
#include "platform/profile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <thread>
#include <vector>

using namespace tavrin;
using namespace tavrin::test;

namespace {

// An INI entry; a null value means the entry must not exist.
struct Entry {
    QString section;
    QString key;
    QString value;
};
using Entries = QList<Entry>;
using Ticks = QList<QList<AlertRow>>;

const QString stock = u"平安银行"_qs;

AlertRow row(const QString& price, const QString& alertPrice = {}, const QString& alertKind = {},
             const QString& profit = {}) {
    return AlertRow{stock, price, u"+1.5%"_qs, profit, alertPrice, alertKind};
}

// One tick per price, one row each.
Ticks ticksOf(const QStringList& prices, const QString& alertPrice = {}, const QString& alertKind = {}) {
    Ticks ticks;
    for (const QString& price : prices)
        ticks.append({row(price, alertPrice, alertKind)});
    return ticks;
}

Entries stockAdded(const QString& streak, const QString& fallSwitch) {
    Entries entries;
    if (!streak.isNull())
        entries.append({u"股票时间"_qs, stock, streak});
    entries.append({u"下跌预警"_qs, stock + u"下跌预警"_qs, fallSwitch});
    return entries;
}

// The texts as the user meets them, written out here independently of the code under test.
QString upLine(const QString& name) {
    return u"["_qs + name + u"]股价同比上分钟上涨，下跌计数数重新开始"_qs;
}
QString upDetailLine(const QString& name, const QString& old, const QString& price, int n) {
    return u"["_qs + name + u"]原来股票价格:"_qs + old + u" 当前股价:"_qs + price + u"。 已经连续"_qs +
           QString::number(n) + u"分钟上涨."_qs;
}
QString riseAlertLine(const QString& name, int n) {
    return u"↑["_qs + name + u"]已经持续上涨"_qs + QString::number(n) + u"分钟达到警告值，发送警告"_qs;
}
QString downLine(const QString& name) {
    return u"["_qs + name + u"]股价同比上一分钟低记录上涨记录重新开始"_qs;
}
QString fallCountedLine(const QString& name, int n) {
    return u"["_qs + name + u"]股价同比上一分钟低下跌,记录"_qs + QString::number(n) + u"次."_qs;
}
QString fallAlertLine(const QString& name, int n, const QString& price, const QString& change) {
    return u"↓["_qs + name + u"]已经持续下跌"_qs + QString::number(n) + u"次发送预警。当前股价:"_qs + price +
           u"涨跌幅↓"_qs + change;
}
QString riseBalloon(const QString& name, int n, const QString& price, const QString& change) {
    return name + u"股价上涨预警↑|"_qs + name + u"单位时间内已经连续"_qs + QString::number(n) +
           u"次都比上一时间持续上涨,请详细查看该资金流量。当前股价:"_qs + price + u"↑ 涨跌幅"_qs + change +
           u"|1|5000"_qs;
}
QString fallBalloon(const QString& name, int n, const QString& price, const QString& change) {
    return name + u"股价下跌预警↓|"_qs + name + u"单位时间内已经连续"_qs + QString::number(n) +
           u"次都比上一时间持续下跌,请详细查看该资金流量.当前股价:"_qs + price + u"↓ 涨跌幅"_qs + change +
           u"|2|5000"_qs;
}
QString targetBalloonText(const QString& name, const QString& body) {
    return name + u"股价预警|"_qs + name + body + u"|1|1000"_qs;
}

// Log lines of a run of upward moves through prices, starting from reference old.
QStringList upMoves(const QStringList& prices, QString old = {}, int from = 1) {
    QStringList lines;
    for (const QString& price : prices) {
        lines << upLine(stock) << upDetailLine(stock, old, price, from++);
        old = price;
    }
    return lines;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(Entries)
Q_DECLARE_METATYPE(Ticks)
Q_DECLARE_METATYPE(tavrin::AlertOptions)

class TestAlertRules : public QObject {
    Q_OBJECT

private slots:
    void scenarios_data();
    void scenarios();
    void targetConditionByKind_data();
    void targetConditionByKind();
    void targetCountCycle_data();
    void targetCountCycle();
    void missingStreakLengthUsesDefault_data();
    void missingStreakLengthUsesDefault();
    void rowWithoutQuoteLeavesFileUntouched_data();
    void rowWithoutQuoteLeavesFileUntouched();
    void unreadableStateFileChecksNothing();
    void editorEntriesHaveTheirFormats();
    void concurrentChecksKeepCountsExact();
};

void TestAlertRules::scenarios_data() {
    QTest::addColumn<Entries>("setup");
    QTest::addColumn<Ticks>("ticks");
    QTest::addColumn<AlertOptions>("options");
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<QStringList>("logs");
    QTest::addColumn<QStringList>("balloons");
    QTest::addColumn<QStringList>("sounds");
    const AlertOptions all;

    QTest::newRow("first check: empty reference is an upward move")
        << stockAdded(u"3"_qs, u"假"_qs) << ticksOf({u"10.5"_qs}) << all
        << Entries{{u"股票价格"_qs, stock, u"10.5"_qs},
                   {u"次数纪录"_qs, stock, u"1"_qs},
                   {u"次数纪录"_qs, stock + u"下跌次数"_qs, u"0"_qs},
                   {u"预警次数"_qs, stock, {}}}
        << QStringList{u"[平安银行]股价同比上分钟上涨，下跌计数数重新开始"_qs,
                       u"[平安银行]原来股票价格: 当前股价:10.5。 已经连续1分钟上涨."_qs}
        << QStringList{} << QStringList{};

    {
        const QStringList moves{u"1"_qs, u"2"_qs, u"3.5"_qs, u"4"_qs, u"5"_qs,
                                u"6"_qs, u"7"_qs, u"8"_qs,   u"9"_qs, u"10.00"_qs};
        const QStringList prices{u"1"_qs,   u"1"_qs, u"2"_qs, u"3.5"_qs,   u"3.50"_qs,
                                 u"3.5"_qs, u"4"_qs, u"5"_qs, u"6"_qs,     u"6"_qs,
                                 u"7"_qs,   u"8"_qs, u"9"_qs, u"10.00"_qs, u"10"_qs};
        QTest::newRow("streak of 10 with unchanged prices between")
            << stockAdded(u"10"_qs, u"假"_qs) << ticksOf(prices) << all
            << Entries{{u"股票价格"_qs, stock, u"10.00"_qs},
                       {u"次数纪录"_qs, stock, u"0"_qs},
                       {u"次数纪录"_qs, stock + u"下跌次数"_qs, u"0"_qs}}
            << (upMoves(moves) << riseAlertLine(stock, 10))
            << QStringList{riseBalloon(stock, 10, u"10.00"_qs, u"+1.5%"_qs)} << QStringList{u"rising"_qs};
    }

    const QStringList fiveUp{u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs, u"5"_qs};
    QTest::newRow("five rises then a fall, switch 真")
        << stockAdded(u"10"_qs, u"真"_qs) << ticksOf(fiveUp + QStringList{u"4.5"_qs}) << all
        << Entries{{u"股票价格"_qs, stock, u"4.5"_qs},
                   {u"次数纪录"_qs, stock, u"0"_qs},
                   {u"次数纪录"_qs, stock + u"下跌次数"_qs, u"1"_qs}}
        << (upMoves(fiveUp) << downLine(stock) << fallCountedLine(stock, 1)) << QStringList{}
        << QStringList{};

    QTest::newRow("five rises then a fall, switch 假")
        << stockAdded(u"10"_qs, u"假"_qs) << ticksOf(fiveUp + QStringList{u"4.5"_qs}) << all
        << Entries{{u"股票价格"_qs, stock, u"4.5"_qs},
                   {u"次数纪录"_qs, stock, u"0"_qs},
                   {u"次数纪录"_qs, stock + u"下跌次数"_qs, u"0"_qs}}
        << (upMoves(fiveUp) << downLine(stock)) << QStringList{} << QStringList{};

    QTest::newRow("fall switch other than 真 counts nothing")
        << stockAdded(u"3"_qs, u"是"_qs) << ticksOf({u"5"_qs, u"4"_qs, u"3"_qs, u"2"_qs}) << all
        << Entries{{u"次数纪录"_qs, stock + u"下跌次数"_qs, u"0"_qs}}
        << (upMoves({u"5"_qs}) << downLine(stock) << downLine(stock) << downLine(stock)) << QStringList{}
        << QStringList{};

    QTest::newRow("fall streak of 3")
        << stockAdded(u"3"_qs, u"真"_qs) << ticksOf({u"5"_qs, u"4"_qs, u"3"_qs, u"2.80"_qs}) << all
        << Entries{{u"股票价格"_qs, stock, u"2.80"_qs},
                   {u"次数纪录"_qs, stock, u"0"_qs},
                   {u"次数纪录"_qs, stock + u"下跌次数"_qs, u"0"_qs}}
        << (upMoves({u"5"_qs}) << downLine(stock) << fallCountedLine(stock, 1) << downLine(stock)
                               << fallCountedLine(stock, 2) << downLine(stock) << fallCountedLine(stock, 3)
                               << fallAlertLine(stock, 3, u"2.80"_qs, u"+1.5%"_qs))
        << QStringList{fallBalloon(stock, 3, u"2.80"_qs, u"+1.5%"_qs)} << QStringList{u"falling"_qs};

    QTest::newRow("an upward move resets the fall count")
        << (stockAdded(u"5"_qs, u"真"_qs) << Entry{u"股票价格"_qs, stock, u"5"_qs}
                                          << Entry{u"次数纪录"_qs, stock + u"下跌次数"_qs, u"4"_qs})
        << ticksOf({u"5.01"_qs}) << all << Entries{{u"次数纪录"_qs, stock + u"下跌次数"_qs, u"0"_qs}}
        << upMoves({u"5.01"_qs}, u"5"_qs) << QStringList{} << QStringList{};

    QTest::newRow("moves within the threshold are no moves")
        << (stockAdded(u"3"_qs, u"真"_qs) << Entry{u"股票价格"_qs, stock, u"10"_qs})
        << ticksOf({u"10.00000005"_qs, u"9.99999995"_qs}) << all
        << Entries{{u"股票价格"_qs, stock, u"10"_qs}, {u"次数纪录"_qs, stock, {}}} << QStringList{}
        << QStringList{} << QStringList{};

    QTest::newRow("rows of the same name share their state")
        << stockAdded(u"3"_qs, u"假"_qs) << Ticks{{row(u"1"_qs), row(u"2"_qs)}} << all
        << Entries{{u"股票价格"_qs, stock, u"2"_qs}, {u"次数纪录"_qs, stock, u"2"_qs}}
        << upMoves({u"1"_qs, u"2"_qs}) << QStringList{} << QStringList{};

    const Entries atTen{{u"股票时间"_qs, stock, u"3"_qs}, {u"股票价格"_qs, stock, u"10"_qs}};
    QTest::newRow("rise to fires once, then counts")
        << atTen << ticksOf({u"10"_qs, u"10"_qs, u"10"_qs}, u"10.00"_qs, u"上涨到"_qs) << all
        << Entries{{u"预警次数"_qs, stock, u"3"_qs}} << QStringList{}
        << QStringList{targetBalloonText(stock, u"股价已上涨到10.00元"_qs)} << QStringList{u"target"_qs};

    QTest::newRow("fall to") << atTen << ticksOf({u"10"_qs}, u"10.00"_qs, u"下跌到"_qs) << all
                             << Entries{{u"预警次数"_qs, stock, u"1"_qs}} << QStringList{}
                             << QStringList{targetBalloonText(stock, u"股价已下跌到10.00元"_qs)}
                             << QStringList{u"target"_qs};

    QTest::newRow("take profit; leaving the target keeps the count")
        << atTen
        << Ticks{{row(u"10"_qs, u"500"_qs, u"止盈卖"_qs, u"500"_qs)},
                 {row(u"10"_qs, u"500"_qs, u"止盈卖"_qs, u"499.9"_qs)},
                 {row(u"10"_qs, u"500"_qs, u"止盈卖"_qs, u"650"_qs)}}
        << all << Entries{{u"预警次数"_qs, stock, u"2"_qs}} << QStringList{}
        << QStringList{targetBalloonText(stock, u"股价已盈利已超过500元"_qs)} << QStringList{u"target"_qs};

    QTest::newRow("unknown kind") << atTen << ticksOf({u"10"_qs}, u"10"_qs, u"上涨至"_qs) << all
                                  << Entries{{u"预警次数"_qs, stock, {}}} << QStringList{} << QStringList{}
                                  << QStringList{};

    QTest::newRow("empty alert price never writes the target count")
        << atTen << ticksOf({u"10"_qs, u"10"_qs}, {}, u"上涨到"_qs) << all
        << Entries{{u"预警次数"_qs, stock, {}}} << QStringList{} << QStringList{} << QStringList{};

    const QStringList toThree{u"1"_qs, u"2"_qs, u"3"_qs};
    QTest::newRow("balloons off: streak logged and reset, target balloon still shown")
        << stockAdded(u"3"_qs, u"假"_qs) << ticksOf(toThree, u"3"_qs, u"上涨到"_qs)
        << AlertOptions{false, true}
        << Entries{{u"次数纪录"_qs, stock, u"0"_qs}, {u"预警次数"_qs, stock, u"1"_qs}}
        << (upMoves(toThree) << riseAlertLine(stock, 3))
        << QStringList{targetBalloonText(stock, u"股价已上涨到3元"_qs)}
        << QStringList{u"rising"_qs, u"target"_qs};

    QTest::newRow("sound off: balloons only")
        << stockAdded(u"3"_qs, u"假"_qs) << ticksOf(toThree, u"3"_qs, u"上涨到"_qs)
        << AlertOptions{true, false}
        << Entries{{u"次数纪录"_qs, stock, u"0"_qs}, {u"预警次数"_qs, stock, u"1"_qs}}
        << (upMoves(toThree) << riseAlertLine(stock, 3))
        << QStringList{riseBalloon(stock, 3, u"3"_qs, u"+1.5%"_qs),
                       targetBalloonText(stock, u"股价已上涨到3元"_qs)}
        << QStringList{};

    QTest::newRow("no quote yet: skipped entirely")
        << (Entries(atTen) << Entry{u"次数纪录"_qs, stock, u"2"_qs})
        << Ticks{{row({}, u"5"_qs, u"下跌到"_qs)},
                 {row(u"0"_qs, u"5"_qs, u"下跌到"_qs)},
                 {row(u"0.00"_qs, u"5"_qs, u"下跌到"_qs)}}
        << all
        << Entries{{u"股票价格"_qs, stock, u"10"_qs},
                   {u"次数纪录"_qs, stock, u"2"_qs},
                   {u"次数纪录"_qs, stock + u"下跌次数"_qs, {}},
                   {u"预警次数"_qs, stock, {}}}
        << QStringList{} << QStringList{} << QStringList{};

    AlertRow nameless = row(u"12"_qs, u"10"_qs, u"上涨到"_qs);
    nameless.name.clear();
    QTest::newRow("a row without a name raises nothing")
        << Entries{} << Ticks{{nameless}, {nameless}} << all << Entries{} << QStringList{} << QStringList{}
        << QStringList{};
}

void TestAlertRules::scenarios() {
    QFETCH(Entries, setup);
    QFETCH(Ticks, ticks);
    QFETCH(AlertOptions, options);
    QFETCH(Entries, entries);
    QFETCH(QStringList, logs);
    QFETCH(QStringList, balloons);
    QFETCH(QStringList, sounds);

    QTemporaryDir dir;
    Profile profile(dir.filePath(u"gupiao.ini"_qs));
    for (const Entry& entry : setup)
        QVERIFY(profile.write(entry.section, entry.key, entry.value));
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertRules rules(profile, notifier, player, log);
    for (const QList<AlertRow>& tick : ticks)
        QVERIFY(rules.check(std::vector<AlertRow>(tick.begin(), tick.end()), options));

    const ProfileEditor ini(fileBytes(profile.path()));
    for (const Entry& entry : entries) {
        if (entry.value.isNull())
            QVERIFY2(!ini.contains(entry.section, entry.key), qPrintable(entry.section + u'/' + entry.key));
        else
            QCOMPARE(ini.read(entry.section, entry.key), entry.value);
    }
    QCOMPARE(log.lines(), logs);
    QCOMPARE(describe(notifier.balloons()), balloons);
    QCOMPARE(describe(player.sounds()), sounds);
}

void TestAlertRules::targetConditionByKind_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("alertPrice");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("profit");
    QTest::addColumn<bool>("fires");
    QTest::newRow("rise to: at") << u"上涨到"_qs << u"10.00"_qs << u"10.00"_qs << QString() << true;
    QTest::newRow("rise to: above") << u"上涨到"_qs << u"10.00"_qs << u"10.01"_qs << QString() << true;
    QTest::newRow("rise to: within threshold")
        << u"上涨到"_qs << u"10"_qs << u"9.99999995"_qs << QString() << true;
    QTest::newRow("rise to: below") << u"上涨到"_qs << u"10"_qs << u"9.9999"_qs << QString() << false;
    QTest::newRow("fall to: at") << u"下跌到"_qs << u"10.00"_qs << u"10"_qs << QString() << true;
    QTest::newRow("fall to: below") << u"下跌到"_qs << u"10.00"_qs << u"9.5"_qs << QString() << true;
    QTest::newRow("fall to: within threshold")
        << u"下跌到"_qs << u"10"_qs << u"10.00000005"_qs << QString() << true;
    QTest::newRow("fall to: above") << u"下跌到"_qs << u"10"_qs << u"10.001"_qs << QString() << false;
    QTest::newRow("take profit: at") << u"止盈卖"_qs << u"500"_qs << u"10"_qs << u"500"_qs << true;
    QTest::newRow("take profit: above") << u"止盈卖"_qs << u"500"_qs << u"10"_qs << u"612.5"_qs << true;
    QTest::newRow("take profit: below") << u"止盈卖"_qs << u"500"_qs << u"10"_qs << u"499.99"_qs << false;
    QTest::newRow("take profit: no profit") << u"止盈卖"_qs << u"500"_qs << u"10"_qs << QString() << false;
    QTest::newRow("take profit ignores price") << u"止盈卖"_qs << u"5"_qs << u"10"_qs << u"-20"_qs << false;
    QTest::newRow("kind compared exactly") << u"上涨到 "_qs << u"10"_qs << u"10"_qs << QString() << false;
    QTest::newRow("empty kind") << QString() << u"10"_qs << u"10"_qs << QString() << false;
}

void TestAlertRules::targetConditionByKind() {
    QFETCH(QString, kind);
    QFETCH(QString, alertPrice);
    QFETCH(QString, price);
    QFETCH(QString, profit);
    QFETCH(bool, fires);
    QTemporaryDir dir;
    Profile profile(dir.filePath(u"gupiao.ini"_qs));
    // The reference equals the price, so no streak rule interferes.
    QVERIFY(profile.write(u"股票价格", stock, price));
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertRules rules(profile, notifier, player, log);
    QVERIFY(rules.check({row(price, alertPrice, kind, profit)}, AlertOptions{}));
    QCOMPARE(profile.read(u"预警次数", stock), fires ? u"1"_qs : QString());
    QCOMPARE(notifier.balloons().size(), fires ? 1 : 0);
    QCOMPARE(player.sounds(), fires ? QList<Sound>{Sound::Target} : QList<Sound>{});
    QCOMPARE(log.lines(), QStringList());
}

void TestAlertRules::targetCountCycle_data() {
    QTest::addColumn<int>("hits");
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("balloons");
    QTest::newRow("1st hit fires") << 1 << u"1"_qs << 1;
    QTest::newRow("9 hits") << 9 << u"9"_qs << 1;
    QTest::newRow("10th hit wraps") << 10 << u"0"_qs << 1;
    QTest::newRow("11th hit fires again") << 11 << u"1"_qs << 2;
    QTest::newRow("20 hits") << 20 << u"0"_qs << 2;
    QTest::newRow("21st hit fires a third time") << 21 << u"1"_qs << 3;
}

void TestAlertRules::targetCountCycle() {
    QFETCH(int, hits);
    QFETCH(QString, count);
    QFETCH(int, balloons);
    QTemporaryDir dir;
    Profile profile(dir.filePath(u"gupiao.ini"_qs));
    QVERIFY(profile.write(u"股票价格", stock, u"10"));
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertRules rules(profile, notifier, player, log);
    for (int i = 0; i < hits; ++i)
        QVERIFY(rules.check({row(u"10"_qs, u"10"_qs, u"上涨到"_qs)}, AlertOptions{}));
    QCOMPARE(profile.read(u"预警次数", stock), count);
    QCOMPARE(notifier.balloons().size(), balloons);
    QCOMPARE(player.sounds().size(), balloons);
}

void TestAlertRules::missingStreakLengthUsesDefault_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("alertAtMove");
    QTest::newRow("no entry") << QString() << 3;
    QTest::newRow("empty") << u""_qs << 3;
    QTest::newRow("zero") << u"0"_qs << 3;
    QTest::newRow("negative") << u"-2"_qs << 3;
    QTest::newRow("not a number") << u"abc"_qs << 3;
    QTest::newRow("fraction truncated") << u"2.9"_qs << 2;
    QTest::newRow("stored length kept") << u"5"_qs << 5;
}

void TestAlertRules::missingStreakLengthUsesDefault() {
    QFETCH(QString, stored);
    QFETCH(int, alertAtMove);
    QTemporaryDir dir;
    Profile profile(dir.filePath(u"gupiao.ini"_qs));
    if (!stored.isNull())
        QVERIFY(profile.write(u"股票时间", stock, stored));
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertRules rules(profile, notifier, player, log);
    for (int move = 1; move <= 6; ++move) {
        QVERIFY(rules.check({row(QString::number(move))}, AlertOptions{}));
        const bool alerted = !notifier.balloons().isEmpty();
        QCOMPARE(alerted, move >= alertAtMove);
        if (move == alertAtMove)
            QCOMPARE(log.lines().constLast(), riseAlertLine(stock, alertAtMove));
    }
    // Never a fall alert: the fall count stays below any length.
    for (const Balloon& balloon : notifier.balloons())
        QCOMPARE(balloon.icon, BalloonIcon::Information);
}

void TestAlertRules::rowWithoutQuoteLeavesFileUntouched_data() {
    QTest::addColumn<QString>("price");
    QTest::newRow("empty") << QString();
    QTest::newRow("zero") << u"0"_qs;
    QTest::newRow("zero with decimals") << u"0.000"_qs;
    QTest::newRow("not a number") << u"--"_qs;
}

void TestAlertRules::rowWithoutQuoteLeavesFileUntouched() {
    QFETCH(QString, price);
    QTemporaryDir dir;
    Profile profile(dir.filePath(u"gupiao.ini"_qs));
    QVERIFY(profile.write(u"股票价格", stock, u"10"));
    QVERIFY(profile.write(u"下跌预警", QString(stock + u"下跌预警"_qs), u"真"));
    const QByteArray before = fileBytes(profile.path());
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertRules rules(profile, notifier, player, log);
    // Without a streak length the original raised both streak alerts here.
    QVERIFY(rules.check({row(price, u"20"_qs, u"下跌到"_qs)}, AlertOptions{}));
    QCOMPARE(fileBytes(profile.path()), before);
    QVERIFY(log.lines().isEmpty());
    QVERIFY(notifier.balloons().isEmpty());
    QVERIFY(player.sounds().isEmpty());
}

void TestAlertRules::unreadableStateFileChecksNothing() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"gupiao.ini"_qs));
    Profile profile(dir.filePath(u"gupiao.ini"_qs));
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertRules rules(profile, notifier, player, log);
    QVERIFY(!rules.check({row(u"10"_qs, u"10"_qs, u"上涨到"_qs)}, AlertOptions{}));
    QVERIFY(log.lines().isEmpty());
    QVERIFY(notifier.balloons().isEmpty());
}

void TestAlertRules::editorEntriesHaveTheirFormats() {
    QTemporaryDir dir;
    Profile profile(dir.filePath(u"gupiao.ini"_qs));
    QVERIFY(writeStockAdded(profile, stock, u"5", true));
    QVERIFY(writeStockAdded(profile, u"万科A"_qs, u"3", false));
    QVERIFY(resetTargetCount(profile, stock));
    QCOMPARE(profile.read(u"股票时间", stock), u"5"_qs);
    QCOMPARE(profile.read(u"下跌预警", QString(stock + u"下跌预警"_qs)), u"真"_qs);
    QCOMPARE(profile.read(u"下跌预警", u"万科A下跌预警"), u"假"_qs);
    QCOMPARE(profile.read(u"预警次数", stock), u"0"_qs);
    QVERIFY(removeTargetCount(profile, stock));
    QVERIFY(!ProfileEditor(fileBytes(profile.path())).contains(u"预警次数", stock));
    QVERIFY(removeTargetCount(profile, stock));
}

void TestAlertRules::concurrentChecksKeepCountsExact() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"gupiao.ini"_qs);
    {
        Profile profile(path);
        QVERIFY(profile.write(u"股票价格", u"共享"_qs, u"10"));
    }
    constexpr int threads = 4;
    constexpr int rounds = 40;
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            Profile profile(path);
            AlertRules rules(profile, notifier, player, log);
            const QString own = u"股"_qs + QString::number(t);
            for (int i = 1; i <= rounds; ++i) {
                // Every thread's own stock rises at every check (the streak never completes);
                // all of them hit the shared stock's target.
                const std::vector<AlertRow> rows{
                    AlertRow{own, QString::number(i), {}, {}, {}, {}},
                    AlertRow{u"共享"_qs, u"10"_qs, {}, {}, u"10"_qs, u"上涨到"_qs},
                };
                rules.check(rows, AlertOptions{});
            }
        });
    }
    for (std::thread& worker : workers)
        worker.join();

    Profile profile(path);
    for (int t = 0; t < threads; ++t) {
        const QString own = u"股"_qs + QString::number(t);
        QCOMPARE(profile.read(u"股票价格", own), QString::number(rounds));
        // Default length 3: the count is what is left after the last alert.
        QCOMPARE(profile.read(u"次数纪录", own), QString::number(rounds % defaultStreakLength));
    }
    const int hits = threads * rounds;
    QCOMPARE(profile.read(u"预警次数", u"共享"), QString::number(hits % 10));
    QCOMPARE(int(player.sounds().count(Sound::Target)), (hits - 1) / 10 + 1);
    QCOMPARE(int(player.sounds().count(Sound::Rising)), threads * (rounds / defaultStreakLength));
}

QTEST_GUILESS_MAIN(TestAlertRules)
#include "test_alert_rules.moc"
