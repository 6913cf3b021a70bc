#pragma once

#include <QByteArray>
#include <QMargins>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

// A virtual X server of the test's own (Xvfb on a display it picks itself), with,
// when asked, a window manager (openbox) and a notification area (trayer), and the
// X command-line tools to look at and drive the windows on it.
class XSession {
public:
    struct Options {
        QSize screen{1920, 1080};
        bool windowManager = false;
        bool notificationArea = false;
    };

    XSession() = default;
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // The first of the tools the options need that is not installed, or an empty text.
    static QString missingTool(const Options& options);

    // Starts the server and what the options ask for; false with reason() when one
    // of them does not come up.
    bool start(const Options& options);
    const QString& reason() const { return m_reason; }

    const QByteArray& display() const { return m_display; }
    // The system environment with DISPLAY set to this server.
    QProcessEnvironment environment() const;

    // Runs an X tool against this server; its trimmed standard output, empty on a failure.
    QString run(const QString& tool, const QStringList& arguments) const;
    // xdotool with the given arguments.
    QString xdotool(const QStringList& arguments) const { return run(QStringLiteral("xdotool"), arguments); }

    // The visible (mapped) top-level windows of a process, by their ids.
    QStringList visibleWindows(qint64 pid) const;
    bool waitForVisibleWindows(qint64 pid, int count, int timeoutMs = 20000) const;
    // Of those, the ones the window manager manages (_NET_CLIENT_LIST), or the others:
    // icons embedded in the notification area, menus, tool tips.
    QStringList managedWindows(qint64 pid, bool managed = true) const;
    // The id of the first visible window whose name matches, or, with present false,
    // an empty text once none does; empty on a time-out either way.
    QString waitForWindow(const QString& namePattern, bool present = true, int timeoutMs = 20000) const;

    // The client area of a window in screen coordinates.
    QRect geometry(const QString& windowId) const;
    // The decoration the window manager put around the window (_NET_FRAME_EXTENTS), none without one.
    QMargins frameExtents(const QString& windowId) const;
    // What a user sees of the window: its client area and the decoration around it.
    QRect frameGeometry(const QString& windowId) const { return geometry(windowId) + frameExtents(windowId); }
    // True while the window is mapped and all its ancestors are (xwininfo's IsViewable).
    bool isViewable(const QString& windowId) const;
    // True once the window's viewability is as asked; false on a time-out.
    bool waitForViewable(const QString& windowId, bool viewable, int timeoutMs = 20000) const;

    // The part of the screen the window manager leaves to windows (_NET_WORKAREA).
    QRect workArea() const;

    // A close request as a window manager sends it (WM_DELETE_WINDOW).
    bool requestClose(const QString& windowId) const;

    // A picture of the whole screen in the working folder; its path, empty when
    // ImageMagick's import is not installed.
    QString screenshot(const QString& fileName) const;

private:
    bool startServer(QSize screen);
    bool startWindowManager();
    bool startNotificationArea();
    bool waitFor(const std::function<bool()>& condition, int timeoutMs) const;
    QProcess& startHelper(const QString& program, const QStringList& arguments);

    QProcess m_server;
    std::vector<std::unique_ptr<QProcess>> m_helpers; // window manager, notification area
    QTemporaryDir m_configDir;
    QByteArray m_display;
    QString m_reason;
};
