#include "store/stock_record.h"
#include "tests/support/program_under_x.h"
#include "tests/support/quote_sim_process.h"
#include "tests/support/x_session.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>

using namespace tavrin;
using namespace Qt::StringLiterals;

namespace {

constexpr int stocks = 100;
constexpr int defaultSeconds = 180;
// What the resident set may grow by between the end of the warm-up and the end.
// AddressSanitizer keeps freed blocks in a quarantine of 256 MB by default, which fills
// over minutes: there the figures are printed and only a runaway (1 GB) fails.
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 rssGrowthBoundKb = 1024 * 1024;
#else
constexpr qint64 rssGrowthBoundKb = 20 * 1024;
#endif

// Code i of the simulator's generated listings: Shanghai 605000.. and Shenzhen 003000.., alternately.
QString generatedCode(int i) {
    return (i % 2 == 0 ? u"605%1"_s : u"003%1"_s).arg(i / 2, 3, 10, QChar(u'0'));
}

// True once the codes of another pass of the watch list were asked for. The ticker
// bar asks for three codes every 3 s: a hundred within the time-outs used here come
// only from the monitor.
bool passGoesOn(ProgramUnderX& program, int timeoutMs) {
    return program.countGoesOn(u"quote_codes"_s, stocks, timeoutMs);
}

struct Fault {
    const char* name;
    QString query; // of /admin/fault
};

// Each for a while, then cleared: whole-response faults for every code, field faults
// for all or for one stock of the list.
const QList<Fault>& faults() {
    static const QList<Fault> all{
        {"slow", u"mode=latency&ms=2500"_s},
        {"hang", u"mode=hang"_s},
        {"garbage", u"mode=bad-gbk"_s},
        {"too many fields", u"mode=many-fields"_s},
        {"too few fields", u"mode=few-fields&code=605000"_s},
        {"empty", u"mode=empty"_s},
        {"drop", u"mode=drop"_s},
        {"oversized", u"mode=oversized&code=003000"_s},
        {"other code", u"mode=other-code"_s},
        {"tilde name", u"mode=tilde-name"_s},
        {"random latency", u"mode=random-latency&ms=4000"_s},
        {"one stock hangs", u"mode=hang&code=605001"_s},
    };
    return all;
}

qint64 residentKb(qint64 pid) {
    QFile status(u"/proc/%1/status"_s.arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression vmRss(u"^VmRSS:\\s*(\\d+) kB$"_s, QRegularExpression::MultilineOption);
    return vmRss.match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
}

// The text of GBK bytes, none when they are not GBK throughout: iconv, independent of
// the program's own decoder.
std::optional<QString> decodeGbk(const QByteArray& bytes) {
    QProcess iconv;
    iconv.start(u"iconv"_s, {u"-f"_s, u"GBK"_s, u"-t"_s, u"UTF-8"_s});
    if (!iconv.waitForStarted(5000))
        return std::nullopt;
    iconv.write(bytes);
    iconv.closeWriteChannel();
    if (!iconv.waitForFinished(10000) || iconv.exitStatus() != QProcess::NormalExit || iconv.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(iconv.readAllStandardOutput());
}

} // namespace

// A few minutes of use of the real program against the simulator: a watch list of a
// hundred stocks monitored, the ticker bar and the quote window open, the petals
// effect started and ended, the simulator's faults set and cleared one after another;
// then a close. What it leaves must be whole: the database, the settings file, the
// daily log; its memory must not keep growing and the monitor must go on after every
// fault. TAVRIN_LONG_SESSION_SECONDS sets the length (default about three minutes).
class LongSessionE2ETest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sessionWithFaultsEndsCleanAndWhole();

private:
    bool openQuoteWindow(const QString& mainWindow);
    bool runPetalsEffectOnce(const QString& mainWindow);
    int dismissMessageBoxes();
    void checkDatabase();
    void checkSettingsFile();
    void checkDailyLog();

    XSession m_x;
    QuoteSimProcess m_sim{{u"--extra-stocks"_s, QString::number(stocks)}};
    QTemporaryDir m_dataDir;
    std::unique_ptr<ProgramUnderX> m_program;
};

void LongSessionE2ETest::initTestCase() {
    const XSession::Options options;
    if (const QString missing = XSession::missingTool(options); !missing.isEmpty())
        QSKIP(qPrintable(missing + u" is not installed"_s));
    QVERIFY2(m_x.start(options), qPrintable(m_x.reason()));
    QVERIFY(m_sim.start());
    QVERIFY(m_dataDir.isValid());
    std::vector<NewStock> watchList;
    for (int i = 0; i < stocks; ++i)
        watchList.push_back({u"模拟股份%1"_s.arg(i + 1), generatedCode(i), u"10"_s, u"100"_s});
    QVERIFY(ProgramUnderX::writeWatchList(m_dataDir.path(), watchList));
    // The program makes the log folder only on a first run, which this is not.
    QVERIFY(QDir(m_dataDir.path()).mkdir(u"log"_s));
    m_program = std::make_unique<ProgramUnderX>(m_x, m_sim, m_dataDir.path());
}

// "查看分时/修改成本", the menu's fourth entry, opens the quote window beside the main one.
bool LongSessionE2ETest::openQuoteWindow(const QString& mainWindow) {
    const int windows = int(m_x.visibleWindows(m_program->pid()).size());
    return m_program->chooseMenuEntry(mainWindow, 4) &&
           m_x.waitForVisibleWindows(m_program->pid(), windows + 1);
}

bool LongSessionE2ETest::runPetalsEffectOnce(const QString& mainWindow) {
    if (!m_program->choosePetalsCommand(mainWindow) || m_x.waitForWindow(u"^Lumeve$"_s).isEmpty())
        return false;
    QTest::qWait(2000);
    m_x.xdotool({u"key"_s, u"Escape"_s});
    return m_x.waitForWindow(u"^Lumeve$"_s, false).isEmpty();
}

// Message boxes that faults brought (a reply with too many fields is one), closed as a
// user closes them, with Enter; the number closed, or -1 when one stays open.
int LongSessionE2ETest::dismissMessageBoxes() {
    static const QString boxCaptions = u"^(错误：|信息：)$"_s;
    int closed = 0;
    for (QString box = m_x.waitForWindow(boxCaptions, true, 0); !box.isEmpty();
         box = m_x.waitForWindow(boxCaptions, true, 1000)) {
        // The key can reach the box before its focus does: a user presses again.
        bool gone = false;
        for (int tries = 0; tries < 3 && !gone; ++tries) {
            m_x.xdotool({u"windowfocus"_s, u"--sync"_s, box});
            m_x.xdotool({u"key"_s, u"Return"_s});
            gone = m_x.waitForViewable(box, false, 3000);
        }
        if (!gone)
            return -1;
        ++closed;
    }
    return closed;
}

void LongSessionE2ETest::sessionWithFaultsEndsCleanAndWhole() {
    const int seconds = qEnvironmentVariableIsSet("TAVRIN_LONG_SESSION_SECONDS")
                            ? qEnvironmentVariableIntValue("TAVRIN_LONG_SESSION_SECONDS")
                            : defaultSeconds;
    QVERIFY2(seconds >= 30, "TAVRIN_LONG_SESSION_SECONDS must be at least 30");
    QElapsedTimer session;
    session.start();

    QVERIFY(m_program->start(QString::fromLocal8Bit(TAVRIN_EXECUTABLE)));
    const QString mainWindow = m_program->waitForMainWindow();
    QVERIFY2(!mainWindow.isEmpty(), "the main window did not appear");
    QTest::qWait(500); // the ticker bar shows too
    QVERIFY2(m_program->switchMonitoringOn(mainWindow, stocks), "no monitoring passes after 执行监控");
    QVERIFY2(openQuoteWindow(mainWindow), "the quote window did not open");
    QVERIFY2(runPetalsEffectOnce(mainWindow), "the petals effect did not start and end");
    m_x.screenshot(u"long_session_start.png"_s);

    // Warm-up: the caches and pools of a running program fill during its first passes.
    const qint64 warmUpEnd = seconds * 1000 / 6;
    QTest::qWait(int(qMax<qint64>(0, warmUpEnd - session.elapsed())));
    QVERIFY2(passGoesOn(*m_program, 30000), "monitoring stopped during the warm-up");
    const qint64 rssAfterWarmUp = residentKb(m_program->pid());
    QVERIFY(rssAfterWarmUp > 0);

    // The faults share the time up to the last fifth, which is fault-free.
    const qint64 faultsEnd = seconds * 1000 * 4 / 5;
    const qint64 faultMs = qMax<qint64>(1000, (faultsEnd - session.elapsed()) / faults().size());
    int boxes = 0;
    for (const Fault& fault : faults()) {
        QCOMPARE(m_sim.admin(u"/admin/fault?"_s + fault.query), "ok");
        QTest::qWait(int(faultMs));
        QCOMPARE(m_sim.admin(u"/admin/clear"_s), "ok");
        // A box can still come from a reply of the fault's time.
        QElapsedTimer recovery;
        recovery.start();
        const bool goesOn = passGoesOn(*m_program, 45000);
        const int closed = dismissMessageBoxes();
        qInfo("fault \"%s\": %d message boxes, next pass after %lld ms", fault.name, closed,
              recovery.elapsed());
        QVERIFY2(goesOn, qPrintable(u"no passes after the fault \"%1\" was cleared"_s.arg(
                             QLatin1String(fault.name))));
        QVERIFY2(closed >= 0, "a message box did not close on Enter");
        boxes += closed;
        QCOMPARE(m_program->process().state(), QProcess::Running);
    }
    qInfo("%d message boxes closed during the faults", boxes);

    const qint64 rest = seconds * 1000 - session.elapsed();
    QTest::qWait(int(qMax<qint64>(0, rest)));
    QVERIFY2(passGoesOn(*m_program, 30000), "monitoring stopped at the end");
    QCOMPARE(dismissMessageBoxes(), 0);
    const qint64 rssAtEnd = residentKb(m_program->pid());
    qInfo("resident memory: %lld kB after the warm-up, %lld kB at the end (%+lld kB) over %lld s",
          rssAfterWarmUp, rssAtEnd, rssAtEnd - rssAfterWarmUp, session.elapsed() / 1000);
    m_x.screenshot(u"long_session_end.png"_s);
    QVERIFY2(m_program->endsWithExitCodeZero(mainWindow), "the program did not end cleanly on close");

    checkDatabase();
    if (QTest::currentTestFailed())
        return;
    checkSettingsFile();
    if (QTest::currentTestFailed())
        return;
    checkDailyLog();
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(rssAtEnd - rssAfterWarmUp < rssGrowthBoundKb, "resident memory grew past the bound");
}

void LongSessionE2ETest::checkDatabase() {
    {
        auto connection = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"long-session-check"_s);
        connection.setDatabaseName(m_dataDir.filePath(u"Database.db"_s));
        QVERIFY(connection.open());
        QSqlQuery integrity(u"PRAGMA integrity_check"_s, connection);
        QVERIFY(integrity.next());
        QCOMPARE(integrity.value(0).toString(), u"ok"_s);
        QSqlQuery rows(u"SELECT COUNT(*) FROM gupiao"_s, connection);
        QVERIFY(rows.next());
        QCOMPARE(rows.value(0).toInt(), stocks);
    }
    QSqlDatabase::removeDatabase(u"long-session-check"_s);
}

void LongSessionE2ETest::checkSettingsFile() {
    QFile settings(m_dataDir.filePath(u"gupiao.ini"_s));
    QVERIFY2(settings.open(QIODevice::ReadOnly), "no gupiao.ini after the session");
    const std::optional<QString> text = decodeGbk(settings.readAll());
    QVERIFY2(text, "gupiao.ini is not GBK");
    // Every line a section, a key=value or empty.
    static const QRegularExpression wellFormed(u"^(\\[[^\\]]+\\]|[^=\\[]+=.*|)$"_s);
    for (QString line : text->split(u'\n')) {
        line.remove(u'\r');
        QVERIFY2(wellFormed.match(line).hasMatch(), qPrintable(u"gupiao.ini: "_s + line));
    }
}

void LongSessionE2ETest::checkDailyLog() {
    const QDir log(m_dataDir.filePath(u"log"_s));
    const QStringList files = log.entryList(QDir::Files);
    QVERIFY2(!files.isEmpty(), "no daily log written");
    // "2024-3-5 9:5:7  message" and CR LF: a line cut short or run into another breaks the pattern.
    static const QRegularExpression whole(
        u"^\\d{4}-\\d{1,2}-\\d{1,2} \\d{1,2}:\\d{1,2}:\\d{1,2}  [^\\r]*\\r$"_s);
    int lines = 0;
    for (const QString& name : files) {
        QFile file(log.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY2(bytes.endsWith('\n'), qPrintable(name + u": the last line is cut"_s));
        const std::optional<QString> text = decodeGbk(bytes);
        QVERIFY2(text, qPrintable(name + u" is not GBK"_s));
        QStringList fileLines = text->split(u'\n');
        fileLines.removeLast(); // after the last newline
        for (const QString& line : std::as_const(fileLines))
            QVERIFY2(whole.match(line).hasMatch(), qPrintable(name + u": "_s + line));
        lines += int(fileLines.size());
    }
    qInfo("daily log: %lld files, %d lines", qlonglong(files.size()), lines);
}

QTEST_GUILESS_MAIN(LongSessionE2ETest)
#include "test_long_session_e2e.moc"
