#include "tests/support/program_under_x.h"

#include "store/database_file.h"
#include "store/stock_database.h"
#include "tests/support/quote_sim_process.h"
#include "tests/support/x_session.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

ProgramUnderX::ProgramUnderX(const XSession& x, QuoteSimProcess& sim, QString dataDirectory)
    : m_x(x), m_sim(sim), m_dataDirectory(std::move(dataDirectory)) {}

ProgramUnderX::~ProgramUnderX() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool ProgramUnderX::writeWatchList(const QString& dataDirectory,
                                   const std::vector<tavrin::NewStock>& stocks) {
    const QString file = QDir(dataDirectory).filePath(u"Database.db"_s);
    if (!tavrin::provisionDatabaseFile(file))
        return false;
    tavrin::StockDatabase database;
    if (!database.open(file))
        return false;
    for (const tavrin::NewStock& stock : stocks)
        if (!database.append(stock))
            return false;
    return true;
}

bool ProgramUnderX::start(const QString& executable) {
    QProcessEnvironment environment = m_x.environment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    environment.insert(u"TAVRIN_DATA_DIR"_s, m_dataDirectory);
    for (const QString& service :
         {u"TAVRIN_QUOTE_URL"_s, u"TAVRIN_CHART_URL"_s, u"TAVRIN_VALUE_URL"_s, u"TAVRIN_UPDATE_URL"_s})
        environment.insert(service, m_sim.baseUrl());
    environment.remove(u"TAVRIN_EXIT_AFTER_MS"_s);
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    m_process.start(executable, {});
    return m_process.waitForStarted(10000);
}

QString ProgramUnderX::waitForMainWindow() const {
    return m_x.waitForWindow(u"^"_s + mainWindowTitle + u"$"_s, true, 30000);
}

int ProgramUnderX::simulatorCount(const QString& counter) {
    const QRegularExpression line(u"^"_s + QRegularExpression::escape(counter) + u"=(\\d+)$"_s,
                                  QRegularExpression::MultilineOption);
    return line.match(QString::fromLatin1(m_sim.admin(u"/admin/stats"_s))).captured(1).toInt();
}

bool ProgramUnderX::countGoesOn(const QString& counter, int count, int timeoutMs) {
    const int target = simulatorCount(counter) + count;
    QDeadlineTimer deadline(timeoutMs);
    while (simulatorCount(counter) < target) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(200);
    }
    return true;
}

bool ProgramUnderX::switchMonitoringOn(const QString& mainWindow, int stocks) {
    m_x.xdotool({u"mousemove"_s, u"--window"_s, mainWindow, u"410"_s, u"10"_s, u"click"_s, u"1"_s});
    // The start-up pass was one; two more come only from the monitor.
    return countGoesOn(u"quote_codes"_s, 2 * stocks, 15000 + 100 * stocks);
}

bool ProgramUnderX::chooseMenuEntry(const QString& mainWindow, int down) {
    const auto windows = m_x.visibleWindows(pid()).size();
    m_x.xdotool({u"mousemove"_s, u"--window"_s, mainWindow, u"200"_s, u"100"_s, u"click"_s, u"3"_s});
    if (!m_x.waitForVisibleWindows(pid(), int(windows) + 1))
        return false;
    QStringList keys{u"key"_s};
    for (int step = 0; step < down; ++step)
        keys << u"Down"_s;
    m_x.xdotool(keys << u"Return"_s);
    return true;
}

bool ProgramUnderX::choosePetalsCommand(const QString& mainWindow) {
    const auto windows = int(m_x.visibleWindows(pid()).size());
    m_x.xdotool({u"mousemove"_s, u"--window"_s, mainWindow, u"200"_s, u"100"_s, u"click"_s, u"3"_s});
    if (!m_x.waitForVisibleWindows(pid(), windows + 1))
        return false;
    m_x.xdotool({u"key"_s, u"Up"_s, u"Right"_s});
    if (!m_x.waitForVisibleWindows(pid(), windows + 2))
        return false;
    m_x.xdotool({u"key"_s, u"Up"_s, u"Return"_s});
    return true;
}

bool ProgramUnderX::endsWithExitCodeZero(const QString& mainWindow) {
    if (!m_x.requestClose(mainWindow) || !m_process.waitForFinished(30000))
        return false;
    return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}
