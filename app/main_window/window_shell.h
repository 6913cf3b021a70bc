#pragma once

#include <QIcon>
#include <QObject>
#include <QRect>
#include <QSystemTrayIcon>
#include <functional>

namespace tavrin {

class MainWindow;

// The main window's life in the notification area and its satellites: minimizing
// hides it and the ticker bar and places the window's own notification icon; that
// icon and the tray icon 托盘图标1 bring it back; every move, resize or minimize
// docks the satellites. The satellites are reached through hooks, so the shell
// works whether or not they exist (a closed ticker bar ignores them).
class WindowShell : public QObject {
    Q_OBJECT

public:
    struct Satellites {
        std::function<void()> showTicker = [] {};
        std::function<void()> hideTicker = [] {};
        // Called with the main window's frame geometry.
        std::function<void(const QRect&)> dock = [](const QRect&) {};
    };

    WindowShell(MainWindow& window, QSystemTrayIcon& trayIcon, const QIcon& programIcon,
                Satellites satellites, QObject* parent = nullptr);

    // The main window's own notification icon, tip "禾岫股价监控系统".
    QSystemTrayIcon& ownIcon() { return m_ownIcon; }

    // Left click on the own icon: both windows back, the main window restored and centred.
    void showFromNotificationArea();
    // Right click on the own icon: both windows hidden.
    void hideToNotificationArea();
    // Left click on 托盘图标1: a normal window is minimized (and so hidden); any other is brought back.
    void toggleFromTrayIcon();

    inline static const QString ownIconTip = QStringLiteral("禾岫股价监控系统");

private:
    void positionChanged();
    void restoreCentred();

    MainWindow& m_window;
    QSystemTrayIcon m_ownIcon;
    Satellites m_satellites;
};

} // namespace tavrin
