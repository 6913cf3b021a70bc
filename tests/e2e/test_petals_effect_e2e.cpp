#include "store/database_file.h"
#include "store/stock_database.h"
#include "tests/support/quote_sim_process.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrin;
using namespace Qt::StringLiterals;

// A close request as a window manager sends it (WM_DELETE_WINDOW); defined at the
// end of the file, where the X headers cannot clash with Qt's.
bool requestWindowClose(const QByteArray& display, const QString& windowId);

namespace {

constexpr int stocks = 2; // one quote request each per pass
constexpr int screenWidth = 1920;
constexpr int screenHeight = 1080;
const QString mainWindowTitle = u"禾岫股价监控"_s;

} // namespace

// The real program on a virtual X server of its own, against the quote simulator:
// monitoring switched on, "玫瑰花屏保" chosen from the main window's menu with its
// option ticked (as designed), the effect looked at and ended with Escape, while
// the monitor keeps fetching; and the same command with no library beside the program.
class PetalsEffectE2ETest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void effectCoversTheScreenWhileMonitoringGoesOn();
    void missingLibraryIsAnErrorBoxAndMonitoringGoesOn();

private:
    QString x(const QString& tool, const QStringList& arguments) const;
    QStringList visibleWindows(const QProcess& program) const;
    bool waitForVisibleWindows(const QProcess& program, int count) const;
    QString waitForWindow(const QString& namePattern, bool present = true) const;
    QRect geometry(const QString& windowId) const;
    int requests();
    bool passesGoOn(int passes);
    bool start(QProcess& program, const QString& executable);
    bool switchMonitoringOn(const QString& mainWindow);
    bool choosePetalsCommand(const QProcess& program, const QString& mainWindow);
    bool endsWithExitCodeZero(QProcess& program, const QString& mainWindow);
    void shoot(const QString& name) const;

    QProcess m_xvfb;
    QByteArray m_display;
    QuoteSimProcess m_sim;
    QTemporaryDir m_dataDir;
};

void PetalsEffectE2ETest::initTestCase() {
    for (const QString& tool : {u"Xvfb"_s, u"xdotool"_s, u"xwininfo"_s})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(tool + u" is not installed"_s));
    // The server picks a free display and writes its number once it is ready.
    m_xvfb.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s,
                             u"%1x%2x24"_s.arg(screenWidth).arg(screenHeight), u"-nolisten"_s, u"tcp"_s});
    QVERIFY(m_xvfb.waitForStarted(10000));
    QDeadlineTimer deadline(20000);
    QByteArray number;
    while (!number.contains('\n') && !deadline.hasExpired() && m_xvfb.state() == QProcess::Running) {
        m_xvfb.waitForReadyRead(200);
        number += m_xvfb.readAllStandardOutput();
    }
    QVERIFY2(number.contains('\n'), "Xvfb did not report its display");
    m_display = ':' + number.trimmed();

    QVERIFY(m_sim.start());
    QVERIFY(m_dataDir.isValid());
    QVERIFY(provisionDatabaseFile(m_dataDir.filePath(u"Database.db"_s)));
    StockDatabase database;
    QVERIFY(database.open(m_dataDir.filePath(u"Database.db"_s)));
    QVERIFY(database.append({u"贵州茅台"_s, u"600519"_s, u"1700"_s, u"100"_s}));
    QVERIFY(database.append({u"平安银行"_s, u"000001"_s, u"10"_s, u"1000"_s}));
}

void PetalsEffectE2ETest::cleanupTestCase() {
    if (m_xvfb.state() != QProcess::NotRunning) {
        m_xvfb.terminate();
        m_xvfb.waitForFinished(5000);
    }
}

QString PetalsEffectE2ETest::x(const QString& tool, const QStringList& arguments) const {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, QString::fromLatin1(m_display));
    process.setProcessEnvironment(environment);
    process.start(tool, arguments);
    if (!process.waitForFinished(10000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QStringList PetalsEffectE2ETest::visibleWindows(const QProcess& program) const {
    return x(u"xdotool"_s,
             {u"search"_s, u"--onlyvisible"_s, u"--pid"_s, QString::number(program.processId())})
        .split(u'\n', Qt::SkipEmptyParts);
}

bool PetalsEffectE2ETest::waitForVisibleWindows(const QProcess& program, int count) const {
    QDeadlineTimer deadline(10000);
    while (visibleWindows(program).size() != count) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(100);
    }
    return true;
}

// The id of the first visible window whose name matches, or, with present false,
// an empty text once none does; empty on a time-out either way.
QString PetalsEffectE2ETest::waitForWindow(const QString& namePattern, bool present) const {
    QDeadlineTimer deadline(20000);
    for (;;) {
        const QString found =
            x(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, namePattern}).section(u'\n', 0, 0);
        if (found.isEmpty() != present)
            return present ? found : QString();
        if (deadline.hasExpired())
            return present ? QString() : found;
        QTest::qWait(100);
    }
}

QRect PetalsEffectE2ETest::geometry(const QString& windowId) const {
    const QString info = x(u"xwininfo"_s, {u"-id"_s, windowId});
    const auto field = [&info](const QString& label) {
        const QRegularExpression pattern(QRegularExpression::escape(label) + u":\\s*(-?\\d+)"_s);
        return pattern.match(info).captured(1).toInt();
    };
    return {field(u"Absolute upper-left X"_s), field(u"Absolute upper-left Y"_s), field(u"Width"_s),
            field(u"Height"_s)};
}

int PetalsEffectE2ETest::requests() {
    static const QRegularExpression count(u"^requests=(\\d+)$"_s, QRegularExpression::MultilineOption);
    return count.match(QString::fromLatin1(m_sim.admin(u"/admin/stats"_s))).captured(1).toInt();
}

// True once the simulator has answered the given number of further passes.
bool PetalsEffectE2ETest::passesGoOn(int passes) {
    const int target = requests() + passes * stocks;
    QDeadlineTimer deadline(10000 + passes * 3000);
    while (requests() < target) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(200);
    }
    return true;
}

bool PetalsEffectE2ETest::start(QProcess& program, const QString& executable) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, QString::fromLatin1(m_display));
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    environment.insert(u"TAVRIN_DATA_DIR"_s, m_dataDir.path());
    for (const QString& service :
         {u"TAVRIN_QUOTE_URL"_s, u"TAVRIN_CHART_URL"_s, u"TAVRIN_VALUE_URL"_s, u"TAVRIN_UPDATE_URL"_s})
        environment.insert(service, m_sim.baseUrl());
    environment.remove(u"TAVRIN_EXIT_AFTER_MS"_s);
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(executable, {});
    return program.waitForStarted(10000);
}

bool PetalsEffectE2ETest::switchMonitoringOn(const QString& mainWindow) {
    // 执行监控 sits over the tab strip at the window's top right.
    const int before = requests();
    x(u"xdotool"_s, {u"mousemove"_s, u"--window"_s, mainWindow, u"410"_s, u"10"_s, u"click"_s, u"1"_s});
    // The start-up pass was one; two more come only from the monitor.
    QDeadlineTimer deadline(15000);
    while (requests() < before + 2 * stocks) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(200);
    }
    return true;
}

// As a user does it: a right click on the watch list opens "菜单"; the last entry
// "关于程序" opens its submenu, whose last entry is "玫瑰花屏保".
bool PetalsEffectE2ETest::choosePetalsCommand(const QProcess& program, const QString& mainWindow) {
    const int windows = int(visibleWindows(program).size());
    x(u"xdotool"_s, {u"mousemove"_s, u"--window"_s, mainWindow, u"200"_s, u"100"_s, u"click"_s, u"3"_s});
    if (!waitForVisibleWindows(program, windows + 1))
        return false;
    x(u"xdotool"_s, {u"key"_s, u"Up"_s, u"Right"_s});
    if (!waitForVisibleWindows(program, windows + 2))
        return false;
    x(u"xdotool"_s, {u"key"_s, u"Up"_s, u"Return"_s});
    return true;
}

bool PetalsEffectE2ETest::endsWithExitCodeZero(QProcess& program, const QString& mainWindow) {
    if (!requestWindowClose(m_display, mainWindow) || !program.waitForFinished(15000))
        return false;
    return program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0;
}

void PetalsEffectE2ETest::shoot(const QString& name) const {
    if (QStandardPaths::findExecutable(u"import"_s).isEmpty())
        return;
    const QString file = QDir::current().absoluteFilePath(name);
    x(u"import"_s, {u"-window"_s, u"root"_s, file});
    qInfo("screenshot: %s", qPrintable(file));
}

void PetalsEffectE2ETest::effectCoversTheScreenWhileMonitoringGoesOn() {
    QProcess program;
    QVERIFY(start(program, QString::fromLocal8Bit(TAVRIN_EXECUTABLE)));
    const QString mainWindow = waitForWindow(u"^"_s + mainWindowTitle + u"$"_s);
    QVERIFY2(!mainWindow.isEmpty(), "the main window did not appear");
    QTest::qWait(500); // any other window of the start-up shows too
    const int windows = int(visibleWindows(program).size());
    QVERIFY2(switchMonitoringOn(mainWindow), "no monitoring passes after 执行监控");

    QVERIFY2(choosePetalsCommand(program, mainWindow), "the menu did not open");
    const QString effect = waitForWindow(u"^Lumeve$"_s);
    QVERIFY2(!effect.isEmpty(), "no effect window");
    QCOMPARE(x(u"xdotool"_s, {u"getwindowname"_s, effect}), u"Lumeve"_s);
    QCOMPARE(x(u"xdotool"_s, {u"getdisplaygeometry"_s}), u"%1 %2"_s.arg(screenWidth).arg(screenHeight));
    QCOMPARE(geometry(effect), QRect(0, 0, screenWidth, screenHeight));
    QTest::qWait(1500); // a few frames of falling petals for the picture
    shoot(u"petals_effect.png"_s);
    QVERIFY2(passesGoOn(2), "monitoring stopped during the effect");

    // The effect's own menu at a right click; Escape closes it, a second ends the effect.
    QCOMPARE(visibleWindows(program).size(), windows + 1);
    x(u"xdotool"_s, {u"mousemove"_s, u"960"_s, u"540"_s, u"click"_s, u"3"_s});
    QVERIFY2(waitForVisibleWindows(program, windows + 2), "no effect menu");
    shoot(u"petals_effect_menu.png"_s);
    x(u"xdotool"_s, {u"key"_s, u"Escape"_s});
    QVERIFY2(waitForVisibleWindows(program, windows + 1), "the effect menu stayed open");
    QCOMPARE(waitForWindow(u"^Lumeve$"_s), effect);
    x(u"xdotool"_s, {u"key"_s, u"Escape"_s});
    QVERIFY2(waitForWindow(u"^Lumeve$"_s, false).isEmpty(), "the effect did not end");
    QVERIFY(waitForVisibleWindows(program, windows));

    // The monitor goes on and the main window still answers: its menu opens and closes.
    QVERIFY2(passesGoOn(2), "monitoring stopped after the effect");
    x(u"xdotool"_s, {u"mousemove"_s, u"--window"_s, mainWindow, u"200"_s, u"100"_s, u"click"_s, u"3"_s});
    QVERIFY2(waitForVisibleWindows(program, windows + 1), "the main window's menu did not open");
    x(u"xdotool"_s, {u"key"_s, u"Escape"_s});
    QVERIFY(waitForVisibleWindows(program, windows));
    QVERIFY2(endsWithExitCodeZero(program, mainWindow), "the program did not end cleanly on close");
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

    QProcess program;
    QVERIFY(start(program, copy));
    const QString mainWindow = waitForWindow(u"^"_s + mainWindowTitle + u"$"_s);
    QVERIFY2(!mainWindow.isEmpty(), "the main window did not appear");
    QVERIFY2(switchMonitoringOn(mainWindow), "no monitoring passes after 执行监控");

    QVERIFY2(choosePetalsCommand(program, mainWindow), "the menu did not open");
    const QString box = waitForWindow(u"^错误：$"_s);
    QVERIFY2(!box.isEmpty(), "no error box");
    QVERIFY(waitForWindow(u"^Lumeve$"_s, false).isEmpty());
    shoot(u"petals_missing_library.png"_s);
    QVERIFY2(passesGoOn(2), "monitoring stopped while the box was open");

    x(u"xdotool"_s, {u"key"_s, u"Return"_s});
    QVERIFY2(waitForWindow(u"^错误：$"_s, false).isEmpty(), "the box did not close");
    QCOMPARE(program.state(), QProcess::Running);
    QVERIFY2(passesGoOn(2), "monitoring stopped after the box");
    QVERIFY2(endsWithExitCodeZero(program, mainWindow), "the program did not end cleanly on close");
}

QTEST_GUILESS_MAIN(PetalsEffectE2ETest)
#include "test_petals_effect_e2e.moc"

#include <X11/Xlib.h>

bool requestWindowClose(const QByteArray& display, const QString& windowId) {
    Display* connection = XOpenDisplay(display.constData());
    if (!connection)
        return false;
    const auto window = static_cast<Window>(windowId.toULong());
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(connection, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(connection, window, False, NoEventMask, &event) != 0;
    XCloseDisplay(connection); // flushes the request
    return sent;
}
