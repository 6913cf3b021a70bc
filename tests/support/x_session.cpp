#include "tests/support/x_session.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <array>
#include <optional>

using namespace Qt::StringLiterals;

// Defined at the end of the file, where the X headers cannot clash with Qt's.
static bool sendDeleteWindow(const QByteArray& display, unsigned long window);

namespace {

// Openbox with one desktop and nothing of its own on the screen; the theme is the
// packaged default, so the decoration is what a user of it sees.
constexpr char openboxConfig[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <desktops><number>1</number></desktops>
  <focus><focusNew>yes</focusNew></focus>
  <placement><policy>Smart</policy></placement>
  <theme><name>Clearlooks</name></theme>
</openbox_config>
)";

// The four numbers of a CARDINAL[4] property as xprop prints it ("NAME(CARDINAL) = 1, 1, 20, 5"),
// none when the property is not set.
std::optional<std::array<int, 4>> fourCardinals(const QString& xpropOutput) {
    static const QRegularExpression numbers(u"=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)"_s);
    const QRegularExpressionMatch match = numbers.match(xpropOutput);
    if (!match.hasMatch())
        return std::nullopt;
    return std::array{match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(),
                      match.captured(4).toInt()};
}

} // namespace

XSession::~XSession() {
    // The helpers go before the server they are clients of.
    for (auto it = m_helpers.rbegin(); it != m_helpers.rend(); ++it) {
        (*it)->terminate();
        if (!(*it)->waitForFinished(5000))
            (*it)->kill();
    }
    m_helpers.clear();
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
    }
}

QString XSession::missingTool(const Options& options) {
    QStringList tools{u"Xvfb"_s, u"xdotool"_s, u"xwininfo"_s, u"xprop"_s};
    if (options.windowManager)
        tools << u"openbox"_s;
    if (options.notificationArea)
        tools << u"trayer"_s;
    for (const QString& tool : tools)
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return tool;
    return {};
}

bool XSession::start(const Options& options) {
    if (const QString missing = missingTool(options); !missing.isEmpty()) {
        m_reason = missing + u" is not installed"_s;
        return false;
    }
    return startServer(options.screen) && (!options.windowManager || startWindowManager()) &&
           (!options.notificationArea || startNotificationArea());
}

bool XSession::startServer(QSize screen) {
    // The server picks a free display and writes its number once it is ready.
    m_server.start(u"Xvfb"_s,
                   {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s,
                    u"%1x%2x24"_s.arg(screen.width()).arg(screen.height()), u"-nolisten"_s, u"tcp"_s});
    if (!m_server.waitForStarted(10000)) {
        m_reason = u"Xvfb did not start"_s;
        return false;
    }
    QDeadlineTimer deadline(20000);
    QByteArray number;
    while (!number.contains('\n') && !deadline.hasExpired() && m_server.state() == QProcess::Running) {
        m_server.waitForReadyRead(200);
        number += m_server.readAllStandardOutput();
    }
    if (!number.contains('\n')) {
        m_reason = u"Xvfb did not report its display"_s;
        return false;
    }
    m_display = ':' + number.trimmed();
    return true;
}

QProcess& XSession::startHelper(const QString& program, const QStringList& arguments) {
    auto& process = *m_helpers.emplace_back(std::make_unique<QProcess>());
    process.setProcessEnvironment(environment());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process;
}

bool XSession::startWindowManager() {
    if (!m_configDir.isValid()) {
        m_reason = u"no folder for the window manager's configuration"_s;
        return false;
    }
    QFile config(m_configDir.filePath(u"rc.xml"_s));
    if (!config.open(QIODevice::WriteOnly) || config.write(openboxConfig) < 0) {
        m_reason = u"the window manager's configuration could not be written"_s;
        return false;
    }
    config.close();
    QProcess& manager = startHelper(u"openbox"_s, {u"--sm-disable"_s, u"--config-file"_s, config.fileName()});
    // A window manager announces itself with a check window on the root window.
    const bool ready =
        manager.waitForStarted(10000) &&
        waitFor(
            [this] {
                return run(u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s}).contains(u"window id"_s);
            },
            20000);
    if (!ready)
        m_reason = u"openbox did not come up"_s;
    return ready;
}

bool XSession::startNotificationArea() {
    QProcess& area = startHelper(u"trayer"_s, {u"--edge"_s, u"bottom"_s, u"--align"_s, u"right"_s,
                                               u"--widthtype"_s, u"pixel"_s, u"--width"_s, u"120"_s,
                                               u"--heighttype"_s, u"pixel"_s, u"--height"_s, u"28"_s});
    const bool ready =
        area.waitForStarted(10000) &&
        waitFor(
            [this] {
                return !xdotool({u"search"_s, u"--onlyvisible"_s, u"--class"_s, u"trayer"_s}).isEmpty();
            },
            20000);
    if (!ready)
        m_reason = u"trayer did not come up"_s;
    return ready;
}

bool XSession::waitFor(const std::function<bool()>& condition, int timeoutMs) const {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(100);
    }
    return true;
}

QProcessEnvironment XSession::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, QString::fromLatin1(m_display));
    return environment;
}

QString XSession::run(const QString& tool, const QStringList& arguments) const {
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(tool, arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QStringList XSession::visibleWindows(qint64 pid) const {
    return xdotool({u"search"_s, u"--onlyvisible"_s, u"--pid"_s, QString::number(pid)})
        .split(u'\n', Qt::SkipEmptyParts);
}

bool XSession::waitForVisibleWindows(qint64 pid, int count, int timeoutMs) const {
    return waitFor([&] { return visibleWindows(pid).size() == count; }, timeoutMs);
}

QStringList XSession::managedWindows(qint64 pid, bool managed) const {
    // "_NET_CLIENT_LIST(WINDOW): window id # 0x600005, 0x60000f"
    static const QRegularExpression hexId(u"0x[0-9a-fA-F]+"_s);
    QList<qulonglong> clients;
    const QString list = run(u"xprop"_s, {u"-root"_s, u"_NET_CLIENT_LIST"_s});
    for (const QRegularExpressionMatch& match : hexId.globalMatch(list))
        clients << match.captured().toULongLong(nullptr, 16);
    QStringList windows = visibleWindows(pid);
    windows.removeIf([&](const QString& id) { return clients.contains(id.toULongLong()) != managed; });
    return windows;
}

QString XSession::waitForWindow(const QString& namePattern, bool present, int timeoutMs) const {
    QString found;
    const bool settled = waitFor(
        [&] {
            found = xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, namePattern}).section(u'\n', 0, 0);
            return found.isEmpty() != present;
        },
        timeoutMs);
    if (!settled)
        return present ? QString() : found;
    return present ? found : QString();
}

QRect XSession::geometry(const QString& windowId) const {
    const QString info = run(u"xwininfo"_s, {u"-id"_s, windowId});
    const auto field = [&info](const QString& label) {
        const QRegularExpression pattern(QRegularExpression::escape(label) + u":\\s*(-?\\d+)"_s);
        return pattern.match(info).captured(1).toInt();
    };
    return {field(u"Absolute upper-left X"_s), field(u"Absolute upper-left Y"_s), field(u"Width"_s),
            field(u"Height"_s)};
}

QMargins XSession::frameExtents(const QString& windowId) const {
    // In the order left, right, top, bottom.
    const auto extents = fourCardinals(run(u"xprop"_s, {u"-id"_s, windowId, u"_NET_FRAME_EXTENTS"_s}));
    if (!extents)
        return {};
    return {(*extents)[0], (*extents)[2], (*extents)[1], (*extents)[3]};
}

bool XSession::isViewable(const QString& windowId) const {
    return run(u"xwininfo"_s, {u"-id"_s, windowId}).contains(u"Map State: IsViewable"_s);
}

bool XSession::waitForViewable(const QString& windowId, bool viewable, int timeoutMs) const {
    return waitFor([&] { return isViewable(windowId) == viewable; }, timeoutMs);
}

QRect XSession::workArea() const {
    // The first desktop's: x, y, width, height.
    const auto area = fourCardinals(run(u"xprop"_s, {u"-root"_s, u"_NET_WORKAREA"_s}));
    if (!area)
        return {};
    return {(*area)[0], (*area)[1], (*area)[2], (*area)[3]};
}

bool XSession::requestClose(const QString& windowId) const {
    bool isNumber = false;
    const unsigned long window = windowId.toULong(&isNumber);
    return isNumber && sendDeleteWindow(m_display, window);
}

QString XSession::screenshot(const QString& fileName) const {
    if (QStandardPaths::findExecutable(u"import"_s).isEmpty())
        return {};
    const QString file = QDir::current().absoluteFilePath(fileName);
    run(u"import"_s, {u"-window"_s, u"root"_s, file});
    qInfo("screenshot: %s", qPrintable(file));
    return file;
}

#include <X11/Xlib.h>

static bool sendDeleteWindow(const QByteArray& display, unsigned long window) {
    Display* connection = XOpenDisplay(display.constData());
    if (!connection)
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(window);
    event.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(connection, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(connection, static_cast<Window>(window), False, NoEventMask, &event) != 0;
    XCloseDisplay(connection); // flushes the request
    return sent;
}
