#pragma once

#include <QProcess>
#include <QString>
#include <vector>

namespace tavrin {
struct NewStock;
}

class QuoteSimProcess;
class XSession;

// The real Tavrin executable on an X session, every outside service pointed at the
// quote simulator, its data in the given folder; with the steps its tests share.
class ProgramUnderX {
public:
    ProgramUnderX(const XSession& x, QuoteSimProcess& sim, QString dataDirectory);
    ~ProgramUnderX();
    ProgramUnderX(const ProgramUnderX&) = delete;
    ProgramUnderX& operator=(const ProgramUnderX&) = delete;

    static inline const QString mainWindowTitle = QStringLiteral("禾岫股价监控");

    // A new Database.db in the data folder holding these stocks, as the program finds
    // it at start; false when it could not be written.
    static bool writeWatchList(const QString& dataDirectory, const std::vector<tavrin::NewStock>& stocks);

    bool start(const QString& executable);
    QProcess& process() { return m_process; }
    qint64 pid() const { return m_process.processId(); }
    // The main window's id once it shows; empty on a time-out.
    QString waitForMainWindow() const;

    // A counter of the simulator's /admin/stats: "requests" (quote, chart and page
    // requests answered), "quote_codes" (codes asked for in quote requests), ...
    int simulatorCount(const QString& counter);
    int requests() { return simulatorCount(QStringLiteral("requests")); }
    // True once the counter has grown by the given number.
    bool countGoesOn(const QString& counter, int count, int timeoutMs);
    bool requestsGoOn(int count, int timeoutMs) {
        return countGoesOn(QStringLiteral("requests"), count, timeoutMs);
    }
    // A click on 执行监控, at the window's top right over the tab strip; true once
    // the passes it starts reach the simulator: the codes of two passes of the given
    // stocks asked for.
    bool switchMonitoringOn(const QString& mainWindow, int stocks);
    // A right click on the watch list opens "菜单": its Down-th entry from the top is chosen.
    bool chooseMenuEntry(const QString& mainWindow, int down);
    // As a user does it: "关于程序", the menu's last entry, opens its submenu, whose
    // last entry is "玫瑰花屏保".
    bool choosePetalsCommand(const QString& mainWindow);
    // A close request to the main window; true when the program then ends with exit code 0.
    bool endsWithExitCodeZero(const QString& mainWindow);

private:
    const XSession& m_x;
    QuoteSimProcess& m_sim;
    QString m_dataDirectory;
    QProcess m_process;
};
