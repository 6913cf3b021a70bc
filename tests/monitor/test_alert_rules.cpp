#include "monitor/alert_rules.h"
#include "monitor/alert_state.h"
#include "platform/profile.h"
#include "tests/support/recorders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

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

const QString stock = u"平安银行"_s;

AlertRow row(const QString& price, const QString& alertPrice = {}, const QString& alertKind = {},
             const QString& profit = {}) {
    return AlertRow{stock, price, u"+1.5%"_s, profit, alertPrice, alertKind};
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
        entries.append({u"股票时间"_s, stock, streak});
    entries.append({u"下跌预警"_s, stock + u"下跌预警"_s, fallSwitch});
    return entries;
}

// The texts as the user meets them, written out here independently of the code under test.
QString upLine(const QString& name) {
    return u"["_s + name + u"]股价同比上分钟上涨，下跌计数数重新开始"_s;
}
QString upDetailLine(const QString& name, const QString& old, const QString& price, int n) {
    return u"["_s + name + u"]原来股票价格:"_s + old + u" 当前股价:"_s + price + u"。 已经连续"_s +
           QString::number(n) + u"分钟上涨."_s;
}
QString riseAlertLine(const QString& name, int n) {
    return u"↑["_s + name + u"]已经持续上涨"_s + QString::number(n) + u"分钟达到警告值，发送警告"_s;
}
QString downLine(const QString& name) {
    return u"["_s + name + u"]股价同比上一分钟低记录上涨记录重新开始"_s;
}
QString fallCountedLine(const QString& name, int n) {
    return u"["_s + name + u"]股价同比上一分钟低下跌,记录"_s + QString::number(n) + u"次."_s;
}
QString fallAlertLine(const QString& name, int n, const QString& price, const QString& change) {
    return u"↓["_s + name + u"]已经持续下跌"_s + QString::number(n) + u"次发送预警。当前股价:"_s + price +
           u"涨跌幅↓"_s + change;
}
QString riseBalloon(const QString& name, int n, const QString& price, const QString& change) {
    return name + u"股价上涨预警↑|"_s + name + u"单位时间内已经连续"_s + QString::number(n) +
           u"次都比上一时间持续上涨,请详细查看该资金流量。当前股价:"_s + price + u"↑ 涨跌幅"_s + change +
           u"|1|5000"_s;
}
QString fallBalloon(const QString& name, int n, const QString& price, const QString& change) {
    return name + u"股价下跌预警↓|"_s + name + u"单位时间内已经连续"_s + QString::number(n) +
           u"次都比上一时间持续下跌,请详细查看该资金流量.当前股价:"_s + price + u"↓ 涨跌幅"_s + change +
           u"|2|5000"_s;
}
QString targetBalloonText(const QString& name, const QString& body) {
    return name + u"股价预警|"_s + name + body + u"|1|1000"_s;
}
QString unsavedBalloon() {
    return u"预警状态无法保存|无法读取或写入 gupiao.ini：预警照常运行，但预警计数不会保存。|2|10000"_s;
}
QString unsavedLine() {
    return u"预警状态无法保存：无法读取或写入 gupiao.ini：预警照常运行，但预警计数不会保存。"_s;
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
    void unreadableStateFileIsCheckedInMemory();
    void unsavableStateIsCheckedInMemory();
    void stateFailingMidRunGoesOnFromWhatItHeld();
    void editorEntriesReachTheCheckInMemory();
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
        << stockAdded(u"3"_s, u"假"_s) << ticksOf({u"10.5"_s}) << all
        << Entries{{u"股票价格"_s, stock, u"10.5"_s},
                   {u"次数纪录"_s, stock, u"1"_s},
                   {u"次数纪录"_s, stock + u"下跌次数"_s, u"0"_s},
                   {u"预警次数"_s, stock, {}}}
        << QStringList{u"[平安银行]股价同比上分钟上涨，下跌计数数重新开始"_s,
                       u"[平安银行]原来股票价格: 当前股价:10.5。 已经连续1分钟上涨."_s}
        << QStringList{} << QStringList{};

    {
        const QStringList moves{u"1"_s, u"2"_s, u"3.5"_s, u"4"_s, u"5"_s,
                                u"6"_s, u"7"_s, u"8"_s,   u"9"_s, u"10.00"_s};
        const QStringList prices{u"1"_s, u"1"_s, u"2"_s, u"3.5"_s, u"3.50"_s, u"3.5"_s,   u"4"_s, u"5"_s,
                                 u"6"_s, u"6"_s, u"7"_s, u"8"_s,   u"9"_s,    u"10.00"_s, u"10"_s};
        QTest::newRow("streak of 10 with unchanged prices between")
            << stockAdded(u"10"_s, u"假"_s) << ticksOf(prices) << all
            << Entries{{u"股票价格"_s, stock, u"10.00"_s},
                       {u"次数纪录"_s, stock, u"0"_s},
                       {u"次数纪录"_s, stock + u"下跌次数"_s, u"0"_s}}
            << (upMoves(moves) << riseAlertLine(stock, 10))
            << QStringList{riseBalloon(stock, 10, u"10.00"_s, u"+1.5%"_s)} << QStringList{u"rising"_s};
    }

    const QStringList fiveUp{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s};
    QTest::newRow("five rises then a fall, switch 真")
        << stockAdded(u"10"_s, u"真"_s) << ticksOf(fiveUp + QStringList{u"4.5"_s}) << all
        << Entries{{u"股票价格"_s, stock, u"4.5"_s},
                   {u"次数纪录"_s, stock, u"0"_s},
                   {u"次数纪录"_s, stock + u"下跌次数"_s, u"1"_s}}
        << (upMoves(fiveUp) << downLine(stock) << fallCountedLine(stock, 1)) << QStringList{}
        << QStringList{};

    QTest::newRow("five rises then a fall, switch 假")
        << stockAdded(u"10"_s, u"假"_s) << ticksOf(fiveUp + QStringList{u"4.5"_s}) << all
        << Entries{{u"股票价格"_s, stock, u"4.5"_s},
                   {u"次数纪录"_s, stock, u"0"_s},
                   {u"次数纪录"_s, stock + u"下跌次数"_s, u"0"_s}}
        << (upMoves(fiveUp) << downLine(stock)) << QStringList{} << QStringList{};

    QTest::newRow("fall switch other than 真 counts nothing")
        << stockAdded(u"3"_s, u"是"_s) << ticksOf({u"5"_s, u"4"_s, u"3"_s, u"2"_s}) << all
        << Entries{{u"次数纪录"_s, stock + u"下跌次数"_s, u"0"_s}}
        << (upMoves({u"5"_s}) << downLine(stock) << downLine(stock) << downLine(stock)) << QStringList{}
        << QStringList{};

    QTest::newRow("fall streak of 3")
        << stockAdded(u"3"_s, u"真"_s) << ticksOf({u"5"_s, u"4"_s, u"3"_s, u"2.80"_s}) << all
        << Entries{{u"股票价格"_s, stock, u"2.80"_s},
                   {u"次数纪录"_s, stock, u"0"_s},
                   {u"次数纪录"_s, stock + u"下跌次数"_s, u"0"_s}}
        << (upMoves({u"5"_s}) << downLine(stock) << fallCountedLine(stock, 1) << downLine(stock)
                              << fallCountedLine(stock, 2) << downLine(stock) << fallCountedLine(stock, 3)
                              << fallAlertLine(stock, 3, u"2.80"_s, u"+1.5%"_s))
        << QStringList{fallBalloon(stock, 3, u"2.80"_s, u"+1.5%"_s)} << QStringList{u"falling"_s};

    QTest::newRow("an upward move resets the fall count")
        << (stockAdded(u"5"_s, u"真"_s)
            << Entry{u"股票价格"_s, stock, u"5"_s} << Entry{u"次数纪录"_s, stock + u"下跌次数"_s, u"4"_s})
        << ticksOf({u"5.01"_s}) << all << Entries{{u"次数纪录"_s, stock + u"下跌次数"_s, u"0"_s}}
        << upMoves({u"5.01"_s}, u"5"_s) << QStringList{} << QStringList{};

    QTest::newRow("moves within the threshold are no moves")
        << (stockAdded(u"3"_s, u"真"_s) << Entry{u"股票价格"_s, stock, u"10"_s})
        << ticksOf({u"10.00000005"_s, u"9.99999995"_s}) << all
        << Entries{{u"股票价格"_s, stock, u"10"_s}, {u"次数纪录"_s, stock, {}}} << QStringList{}
        << QStringList{} << QStringList{};

    QTest::newRow("rows of the same name share their state")
        << stockAdded(u"3"_s, u"假"_s) << Ticks{{row(u"1"_s), row(u"2"_s)}} << all
        << Entries{{u"股票价格"_s, stock, u"2"_s}, {u"次数纪录"_s, stock, u"2"_s}}
        << upMoves({u"1"_s, u"2"_s}) << QStringList{} << QStringList{};

    const Entries atTen{{u"股票时间"_s, stock, u"3"_s}, {u"股票价格"_s, stock, u"10"_s}};
    QTest::newRow("rise to fires once, then counts")
        << atTen << ticksOf({u"10"_s, u"10"_s, u"10"_s}, u"10.00"_s, u"上涨到"_s) << all
        << Entries{{u"预警次数"_s, stock, u"3"_s}} << QStringList{}
        << QStringList{targetBalloonText(stock, u"股价已上涨到10.00元"_s)} << QStringList{u"target"_s};

    QTest::newRow("fall to") << atTen << ticksOf({u"10"_s}, u"10.00"_s, u"下跌到"_s) << all
                             << Entries{{u"预警次数"_s, stock, u"1"_s}} << QStringList{}
                             << QStringList{targetBalloonText(stock, u"股价已下跌到10.00元"_s)}
                             << QStringList{u"target"_s};

    QTest::newRow("take profit; leaving the target keeps the count")
        << atTen
        << Ticks{{row(u"10"_s, u"500"_s, u"止盈卖"_s, u"500"_s)},
                 {row(u"10"_s, u"500"_s, u"止盈卖"_s, u"499.9"_s)},
                 {row(u"10"_s, u"500"_s, u"止盈卖"_s, u"650"_s)}}
        << all << Entries{{u"预警次数"_s, stock, u"2"_s}} << QStringList{}
        << QStringList{targetBalloonText(stock, u"股价已盈利已超过500元"_s)} << QStringList{u"target"_s};

    QTest::newRow("unknown kind") << atTen << ticksOf({u"10"_s}, u"10"_s, u"上涨至"_s) << all
                                  << Entries{{u"预警次数"_s, stock, {}}} << QStringList{} << QStringList{}
                                  << QStringList{};

    QTest::newRow("empty alert price never writes the target count")
        << atTen << ticksOf({u"10"_s, u"10"_s}, {}, u"上涨到"_s) << all << Entries{{u"预警次数"_s, stock, {}}}
        << QStringList{} << QStringList{} << QStringList{};

    const QStringList toThree{u"1"_s, u"2"_s, u"3"_s};
    QTest::newRow("balloons off: streak logged and reset, target balloon still shown")
        << stockAdded(u"3"_s, u"假"_s) << ticksOf(toThree, u"3"_s, u"上涨到"_s) << AlertOptions{false, true}
        << Entries{{u"次数纪录"_s, stock, u"0"_s}, {u"预警次数"_s, stock, u"1"_s}}
        << (upMoves(toThree) << riseAlertLine(stock, 3))
        << QStringList{targetBalloonText(stock, u"股价已上涨到3元"_s)}
        << QStringList{u"rising"_s, u"target"_s};

    QTest::newRow("sound off: balloons only")
        << stockAdded(u"3"_s, u"假"_s) << ticksOf(toThree, u"3"_s, u"上涨到"_s) << AlertOptions{true, false}
        << Entries{{u"次数纪录"_s, stock, u"0"_s}, {u"预警次数"_s, stock, u"1"_s}}
        << (upMoves(toThree) << riseAlertLine(stock, 3))
        << QStringList{riseBalloon(stock, 3, u"3"_s, u"+1.5%"_s),
                       targetBalloonText(stock, u"股价已上涨到3元"_s)}
        << QStringList{};

    QTest::newRow("no quote yet: skipped entirely") << (Entries(atTen) << Entry{u"次数纪录"_s, stock, u"2"_s})
                                                    << Ticks{{row({}, u"5"_s, u"下跌到"_s)},
                                                             {row(u"0"_s, u"5"_s, u"下跌到"_s)},
                                                             {row(u"0.00"_s, u"5"_s, u"下跌到"_s)}}
                                                    << all
                                                    << Entries{{u"股票价格"_s, stock, u"10"_s},
                                                               {u"次数纪录"_s, stock, u"2"_s},
                                                               {u"次数纪录"_s, stock + u"下跌次数"_s, {}},
                                                               {u"预警次数"_s, stock, {}}}
                                                    << QStringList{} << QStringList{} << QStringList{};

    AlertRow nameless = row(u"12"_s, u"10"_s, u"上涨到"_s);
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
    Profile profile(dir.filePath(u"gupiao.ini"_s));
    for (const Entry& entry : setup)
        QVERIFY(profile.write(entry.section, entry.key, entry.value));
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertStateStore state(profile);
    AlertRules rules(state, notifier, player, log);
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
    QTest::newRow("rise to: at") << u"上涨到"_s << u"10.00"_s << u"10.00"_s << QString() << true;
    QTest::newRow("rise to: above") << u"上涨到"_s << u"10.00"_s << u"10.01"_s << QString() << true;
    QTest::newRow("rise to: within threshold")
        << u"上涨到"_s << u"10"_s << u"9.99999995"_s << QString() << true;
    QTest::newRow("rise to: below") << u"上涨到"_s << u"10"_s << u"9.9999"_s << QString() << false;
    QTest::newRow("fall to: at") << u"下跌到"_s << u"10.00"_s << u"10"_s << QString() << true;
    QTest::newRow("fall to: below") << u"下跌到"_s << u"10.00"_s << u"9.5"_s << QString() << true;
    QTest::newRow("fall to: within threshold")
        << u"下跌到"_s << u"10"_s << u"10.00000005"_s << QString() << true;
    QTest::newRow("fall to: above") << u"下跌到"_s << u"10"_s << u"10.001"_s << QString() << false;
    QTest::newRow("take profit: at") << u"止盈卖"_s << u"500"_s << u"10"_s << u"500"_s << true;
    QTest::newRow("take profit: above") << u"止盈卖"_s << u"500"_s << u"10"_s << u"612.5"_s << true;
    QTest::newRow("take profit: below") << u"止盈卖"_s << u"500"_s << u"10"_s << u"499.99"_s << false;
    QTest::newRow("take profit: no profit") << u"止盈卖"_s << u"500"_s << u"10"_s << QString() << false;
    QTest::newRow("take profit ignores price") << u"止盈卖"_s << u"5"_s << u"10"_s << u"-20"_s << false;
    QTest::newRow("kind compared exactly") << u"上涨到 "_s << u"10"_s << u"10"_s << QString() << false;
    QTest::newRow("empty kind") << QString() << u"10"_s << u"10"_s << QString() << false;
}

void TestAlertRules::targetConditionByKind() {
    QFETCH(QString, kind);
    QFETCH(QString, alertPrice);
    QFETCH(QString, price);
    QFETCH(QString, profit);
    QFETCH(bool, fires);
    QTemporaryDir dir;
    Profile profile(dir.filePath(u"gupiao.ini"_s));
    // The reference equals the price, so no streak rule interferes.
    QVERIFY(profile.write(u"股票价格", stock, price));
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertStateStore state(profile);
    AlertRules rules(state, notifier, player, log);
    QVERIFY(rules.check({row(price, alertPrice, kind, profit)}, AlertOptions{}));
    QCOMPARE(profile.read(u"预警次数", stock), fires ? u"1"_s : QString());
    QCOMPARE(notifier.balloons().size(), fires ? 1 : 0);
    QCOMPARE(player.sounds(), fires ? QList<Sound>{Sound::Target} : QList<Sound>{});
    QCOMPARE(log.lines(), QStringList());
}

void TestAlertRules::targetCountCycle_data() {
    QTest::addColumn<int>("hits");
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("balloons");
    QTest::newRow("1st hit fires") << 1 << u"1"_s << 1;
    QTest::newRow("9 hits") << 9 << u"9"_s << 1;
    QTest::newRow("10th hit wraps") << 10 << u"0"_s << 1;
    QTest::newRow("11th hit fires again") << 11 << u"1"_s << 2;
    QTest::newRow("20 hits") << 20 << u"0"_s << 2;
    QTest::newRow("21st hit fires a third time") << 21 << u"1"_s << 3;
}

void TestAlertRules::targetCountCycle() {
    QFETCH(int, hits);
    QFETCH(QString, count);
    QFETCH(int, balloons);
    QTemporaryDir dir;
    Profile profile(dir.filePath(u"gupiao.ini"_s));
    QVERIFY(profile.write(u"股票价格", stock, u"10"));
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertStateStore state(profile);
    AlertRules rules(state, notifier, player, log);
    for (int i = 0; i < hits; ++i)
        QVERIFY(rules.check({row(u"10"_s, u"10"_s, u"上涨到"_s)}, AlertOptions{}));
    QCOMPARE(profile.read(u"预警次数", stock), count);
    QCOMPARE(notifier.balloons().size(), balloons);
    QCOMPARE(player.sounds().size(), balloons);
}

void TestAlertRules::missingStreakLengthUsesDefault_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("alertAtMove");
    QTest::newRow("no entry") << QString() << 3;
    QTest::newRow("empty") << u""_s << 3;
    QTest::newRow("zero") << u"0"_s << 3;
    QTest::newRow("negative") << u"-2"_s << 3;
    QTest::newRow("not a number") << u"abc"_s << 3;
    QTest::newRow("fraction truncated") << u"2.9"_s << 2;
    QTest::newRow("stored length kept") << u"5"_s << 5;
}

void TestAlertRules::missingStreakLengthUsesDefault() {
    QFETCH(QString, stored);
    QFETCH(int, alertAtMove);
    QTemporaryDir dir;
    Profile profile(dir.filePath(u"gupiao.ini"_s));
    if (!stored.isNull())
        QVERIFY(profile.write(u"股票时间", stock, stored));
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertStateStore state(profile);
    AlertRules rules(state, notifier, player, log);
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
    QTest::newRow("zero") << u"0"_s;
    QTest::newRow("zero with decimals") << u"0.000"_s;
    QTest::newRow("not a number") << u"--"_s;
}

void TestAlertRules::rowWithoutQuoteLeavesFileUntouched() {
    QFETCH(QString, price);
    QTemporaryDir dir;
    Profile profile(dir.filePath(u"gupiao.ini"_s));
    QVERIFY(profile.write(u"股票价格", stock, u"10"));
    QVERIFY(profile.write(u"下跌预警", QString(stock + u"下跌预警"_s), u"真"));
    const QByteArray before = fileBytes(profile.path());
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertStateStore state(profile);
    AlertRules rules(state, notifier, player, log);
    // Without a streak length the original raised both streak alerts here.
    QVERIFY(rules.check({row(price, u"20"_s, u"下跌到"_s)}, AlertOptions{}));
    QCOMPARE(fileBytes(profile.path()), before);
    QVERIFY(log.lines().isEmpty());
    QVERIFY(notifier.balloons().isEmpty());
    QVERIFY(player.sounds().isEmpty());
}

void TestAlertRules::unreadableStateFileIsCheckedInMemory() {
    QTemporaryDir dir;
    // A folder in the file's place cannot be read as a file.
    QVERIFY(QDir(dir.path()).mkdir(u"gupiao.ini"_s));
    Profile profile(dir.filePath(u"gupiao.ini"_s));
    AlertStateStore state(profile);
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertRules rules(state, notifier, player, log);
    for (const QString& price : {u"10"_s, u"11"_s, u"12"_s})
        QVERIFY(!rules.check({row(price, u"10"_s, u"上涨到"_s)}, AlertOptions{}));

    // The counters live on between checks: one target balloon, the streak completes
    // at the third rise, and the user hears once that nothing is saved.
    QCOMPARE(describe(notifier.balloons()),
             QStringList({targetBalloonText(stock, u"股价已上涨到10元"_s), unsavedBalloon(),
                          riseBalloon(stock, 3, u"12"_s, u"+1.5%"_s)}));
    QStringList expected = upMoves({u"10"_s});
    expected << unsavedLine();
    expected << upMoves({u"11"_s, u"12"_s}, u"10"_s, 2) << riseAlertLine(stock, 3);
    QCOMPARE(log.lines(), expected);
    QCOMPARE(describe(player.sounds()), QStringList({u"target"_s, u"rising"_s}));
    QVERIFY(QFileInfo(profile.path()).isDir());
}

void TestAlertRules::unsavableStateIsCheckedInMemory() {
    QTemporaryDir dir;
    // A file where the folder should be: the state file can never be created.
    QFile blocker(dir.filePath(u"data"_s));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Profile profile(dir.filePath(u"data/gupiao.ini"_s));
    AlertStateStore state(profile);
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertRules rules(state, notifier, player, log);
    QVERIFY(!rules.check({row(u"10"_s)}, AlertOptions{}));
    QVERIFY(!rules.check({row(u"11"_s)}, AlertOptions{}));
    QVERIFY(state.inMemory());
    QStringList expected = upMoves({u"10"_s});
    expected << unsavedLine() << upMoves({u"11"_s}, u"10"_s, 2);
    QCOMPARE(log.lines(), expected);
    QCOMPARE(describe(notifier.balloons()), QStringList{unsavedBalloon()});
}

void TestAlertRules::stateFailingMidRunGoesOnFromWhatItHeld() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"gupiao.ini"_s);
    Profile profile(path);
    QVERIFY(profile.write(u"股票价格", stock, u"10"));
    QVERIFY(profile.write(u"次数纪录", stock, u"1"));
    AlertStateStore state(profile);
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertRules rules(state, notifier, player, log);
    QVERIFY(rules.check({row(u"11"_s)}, AlertOptions{}));
    QCOMPARE(profile.read(u"次数纪录", stock), u"2"_s);

    QVERIFY(QFile::remove(path));
    QVERIFY(QDir(dir.path()).mkdir(u"gupiao.ini"_s));
    QVERIFY(!rules.check({row(u"12"_s)}, AlertOptions{}));
    // The third rise in a row, counted from what the file held before it failed.
    QStringList expected = upMoves({u"11"_s}, u"10"_s, 2);
    expected << upMoves({u"12"_s}, u"11"_s, 3) << riseAlertLine(stock, 3) << unsavedLine();
    QCOMPARE(log.lines(), expected);
}

void TestAlertRules::editorEntriesReachTheCheckInMemory() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"gupiao.ini"_s));
    Profile profile(dir.filePath(u"gupiao.ini"_s));
    AlertStateStore state(profile);
    QVERIFY(!writeStockAdded(state, stock, u"5", true));
    QVERIFY(!resetTargetCount(state, stock));
    QVERIFY(!removeTargetCount(state, stock));
    RecordingNotifier notifier;
    RecordingSoundPlayer player;
    RecordingLog log;
    AlertRules rules(state, notifier, player, log);
    for (int price = 1; price <= 5; ++price) {
        rules.check({row(QString::number(price))}, AlertOptions{});
        // The streak length the editor gave, not the default of 3.
        QCOMPARE(player.sounds().count(Sound::Rising), price == 5 ? 1 : 0);
    }
    // The editors were the first to fail; the check still tells the user, once.
    QCOMPARE(describe(notifier.balloons()).count(unsavedBalloon()), 1);
}

void TestAlertRules::editorEntriesHaveTheirFormats() {
    QTemporaryDir dir;
    Profile profile(dir.filePath(u"gupiao.ini"_s));
    QVERIFY(writeStockAdded(profile, stock, u"5", true));
    QVERIFY(writeStockAdded(profile, u"万科A"_s, u"3", false));
    QVERIFY(resetTargetCount(profile, stock));
    QCOMPARE(profile.read(u"股票时间", stock), u"5"_s);
    QCOMPARE(profile.read(u"下跌预警", QString(stock + u"下跌预警"_s)), u"真"_s);
    QCOMPARE(profile.read(u"下跌预警", u"万科A下跌预警"), u"假"_s);
    QCOMPARE(profile.read(u"预警次数", stock), u"0"_s);
    QVERIFY(removeTargetCount(profile, stock));
    QVERIFY(!ProfileEditor(fileBytes(profile.path())).contains(u"预警次数", stock));
    QVERIFY(removeTargetCount(profile, stock));
}

void TestAlertRules::concurrentChecksKeepCountsExact() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"gupiao.ini"_s);
    {
        Profile profile(path);
        QVERIFY(profile.write(u"股票价格", u"共享"_s, u"10"));
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
            AlertStateStore state(profile);
            AlertRules rules(state, notifier, player, log);
            const QString own = u"股"_s + QString::number(t);
            for (int i = 1; i <= rounds; ++i) {
                // Every thread's own stock rises at every check (the streak never completes);
                // all of them hit the shared stock's target.
                const std::vector<AlertRow> rows{
                    AlertRow{own, QString::number(i), {}, {}, {}, {}},
                    AlertRow{u"共享"_s, u"10"_s, {}, {}, u"10"_s, u"上涨到"_s},
                };
                rules.check(rows, AlertOptions{});
            }
        });
    }
    for (std::thread& worker : workers)
        worker.join();

    Profile profile(path);
    for (int t = 0; t < threads; ++t) {
        const QString own = u"股"_s + QString::number(t);
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
