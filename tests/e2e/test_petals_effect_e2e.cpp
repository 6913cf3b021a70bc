#include "store/stock_record.h"
#include "tests/support/program_under_x.h"
#include "tests/support/quote_sim_process.h"
#include "tests/support/x_session.h"

#include <QFile>
#include <QLibrary>
#include <QRect>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrin;
using namespace Qt::StringLiterals;

namespace {

constexpr int stocks = 2; // one quote request each per pass
const QSize screen(1920, 1080);

} // namespace

// The real program on a virtual X server of its own, against the quote simulator:
// monitoring switched on, "玫瑰花屏保" chosen from the main window's menu with its
// option ticked (as designed), the effect looked at and ended with Escape, while
// the monitor keeps fetching; and the same command with no library beside the program.
class PetalsEffectE2ETest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void effectCoversTheScreenWhileMonitoringGoesOn();
    void missingLibraryIsAnErrorBoxAndMonitoringGoesOn();

private:
    // True once the simulator has answered the given number of further passes.
    bool passesGoOn(ProgramUnderX& program, int passes) {
        return program.requestsGoOn(passes * stocks, 10000 + passes * 3000);
    }

    XSession m_x;
    QuoteSimProcess m_sim;
    QTemporaryDir m_dataDir;
};

void PetalsEffectE2ETest::initTestCase() {
    const XSession::Options options{.screen = screen};
    if (const QString missing = XSession::missingTool(options); !missing.isEmpty())
        QSKIP(qPrintable(missing + u" is not installed"_s));
    QVERIFY2(m_x.start(options), qPrintable(m_x.reason()));

    QVERIFY(m_sim.start());
    QVERIFY(m_dataDir.isValid());
    QVERIFY(
        ProgramUnderX::writeWatchList(m_dataDir.path(), {{u"贵州茅台"_s, u"600519"_s, u"1700"_s, u"100"_s},
                                                         {u"平安银行"_s, u"000001"_s, u"10"_s, u"1000"_s}}));
}

void PetalsEffectE2ETest::effectCoversTheScreenWhileMonitoringGoesOn() {
    ProgramUnderX program(m_x, m_sim, m_dataDir.path());
    QVERIFY(program.start(QString::fromLocal8Bit(TAVRIN_EXECUTABLE)));
    const QString mainWindow = program.waitForMainWindow();
    QVERIFY2(!mainWindow.isEmpty(), "the main window did not appear");
    QTest::qWait(500); // any other window of the start-up shows too
    const int windows = int(m_x.visibleWindows(program.pid()).size());
    QVERIFY2(program.switchMonitoringOn(mainWindow, stocks), "no monitoring passes after 执行监控");

    QVERIFY2(program.choosePetalsCommand(mainWindow), "the menu did not open");
    const QString effect = m_x.waitForWindow(u"^Lumeve$"_s);
    QVERIFY2(!effect.isEmpty(), "no effect window");
    QCOMPARE(m_x.xdotool({u"getwindowname"_s, effect}), u"Lumeve"_s);
    QCOMPARE(m_x.xdotool({u"getdisplaygeometry"_s}), u"%1 %2"_s.arg(screen.width()).arg(screen.height()));
    QCOMPARE(m_x.geometry(effect), QRect(QPoint(0, 0), screen));
    QTest::qWait(1500); // a few frames of falling petals for the picture
    m_x.screenshot(u"petals_effect.png"_s);
    QVERIFY2(passesGoOn(program, 2), "monitoring stopped during the effect");

    // The effect's own menu at a right click; Escape closes it, a second ends the effect.
    QCOMPARE(m_x.visibleWindows(program.pid()).size(), windows + 1);
    m_x.xdotool({u"mousemove"_s, u"960"_s, u"540"_s, u"click"_s, u"3"_s});
    QVERIFY2(m_x.waitForVisibleWindows(program.pid(), windows + 2), "no effect menu");
    m_x.screenshot(u"petals_effect_menu.png"_s);
    m_x.xdotool({u"key"_s, u"Escape"_s});
    QVERIFY2(m_x.waitForVisibleWindows(program.pid(), windows + 1), "the effect menu stayed open");
    QCOMPARE(m_x.waitForWindow(u"^Lumeve$"_s), effect);
    m_x.xdotool({u"key"_s, u"Escape"_s});
    QVERIFY2(m_x.waitForWindow(u"^Lumeve$"_s, false).isEmpty(), "the effect did not end");
    QVERIFY(m_x.waitForVisibleWindows(program.pid(), windows));

    // The monitor goes on and the main window still answers: its menu opens and closes.
    QVERIFY2(passesGoOn(program, 2), "monitoring stopped after the effect");
    m_x.xdotool({u"mousemove"_s, u"--window"_s, mainWindow, u"200"_s, u"100"_s, u"click"_s, u"3"_s});
    QVERIFY2(m_x.waitForVisibleWindows(program.pid(), windows + 1), "the main window's menu did not open");
    m_x.xdotool({u"key"_s, u"Escape"_s});
    QVERIFY(m_x.waitForVisibleWindows(program.pid(), windows));
    QVERIFY2(program.endsWithExitCodeZero(mainWindow), "the program did not end cleanly on close");
}

void PetalsEffectE2ETest::missingLibraryIsAnErrorBoxAndMonitoringGoesOn() {
    if (QLibrary(u"Lumeve"_s).load())
        QSKIP("the system's library search finds a Lumeve library");
    // The program alone in a folder of its own: no library beside it.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString copy = folder.filePath(u"Tavrin"_s);
    QVERIFY(QFile::copy(QString::fromLocal8Bit(TAVRIN_EXECUTABLE), copy));
    QVERIFY(QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ExeOwner));

    ProgramUnderX program(m_x, m_sim, m_dataDir.path());
    QVERIFY(program.start(copy));
    const QString mainWindow = program.waitForMainWindow();
    QVERIFY2(!mainWindow.isEmpty(), "the main window did not appear");
    QVERIFY2(program.switchMonitoringOn(mainWindow, stocks), "no monitoring passes after 执行监控");

    QVERIFY2(program.choosePetalsCommand(mainWindow), "the menu did not open");
    const QString box = m_x.waitForWindow(u"^错误：$"_s);
    QVERIFY2(!box.isEmpty(), "no error box");
    QVERIFY(m_x.waitForWindow(u"^Lumeve$"_s, false).isEmpty());
    m_x.screenshot(u"petals_missing_library.png"_s);
    QVERIFY2(passesGoOn(program, 2), "monitoring stopped while the box was open");

    m_x.xdotool({u"key"_s, u"Return"_s});
    QVERIFY2(m_x.waitForWindow(u"^错误：$"_s, false).isEmpty(), "the box did not close");
    QCOMPARE(program.process().state(), QProcess::Running);
    QVERIFY2(passesGoOn(program, 2), "monitoring stopped after the box");
    QVERIFY2(program.endsWithExitCodeZero(mainWindow), "the program did not end cleanly on close");
}

QTEST_GUILESS_MAIN(PetalsEffectE2ETest)
#include "test_petals_effect_e2e.moc"
