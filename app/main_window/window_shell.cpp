#include "app/main_window/window_shell.h"

#include "app/main_window/main_window.h"

#include <QApplication>
#include <QScreen>

namespace tavrin {

WindowShell::WindowShell(MainWindow& window, QSystemTrayIcon& trayIcon, const QIcon& programIcon,
                         Satellites satellites, QObject* parent)
    : QObject(parent), m_window(window), m_ownIcon(programIcon), m_satellites(std::move(satellites)) {
    m_ownIcon.setObjectName(QStringLiteral("ownNotificationIcon"));
    m_ownIcon.setToolTip(ownIconTip);
    connect(&window, &MainWindow::positionChanged, this, &WindowShell::positionChanged);
    connect(&m_ownIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            showFromNotificationArea();
        else if (reason == QSystemTrayIcon::Context)
            hideToNotificationArea();
    });
    connect(&trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            toggleFromTrayIcon();
    });
}

void WindowShell::positionChanged() {
    if (m_window.isMinimized()) {
        // After the state change has been handled: showMinimized() shows the window
        // again once its state is set, which would undo a hide done right here.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_window.isMinimized())
                    return;
                m_satellites.hideTicker();
                m_window.hide();
                m_ownIcon.show();
            },
            Qt::QueuedConnection);
    }
    m_satellites.dock(m_window.frameGeometry());
}

void WindowShell::showFromNotificationArea() {
    restoreCentred();
    m_satellites.showTicker();
    m_ownIcon.show();
}

void WindowShell::hideToNotificationArea() {
    m_satellites.hideTicker();
    m_window.hide();
}

void WindowShell::toggleFromTrayIcon() {
    if (m_window.isVisible() && !m_window.isMinimized() && !m_window.isMaximized()) {
        m_window.showMinimized();
        // Some platforms report no state change for a window they cannot minimize;
        // the window goes to the notification area all the same.
        if (!m_window.isMinimized()) {
            hideToNotificationArea();
            m_ownIcon.show();
        }
        return;
    }
    // Hidden, minimized or maximized: the window comes back, whatever state it was in
    // (restored before it is made visible could leave it hidden).
    restoreCentred();
    m_satellites.showTicker();
    QApplication::beep();
}

void WindowShell::restoreCentred() {
    m_window.setWindowState(m_window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    m_window.show();
    m_window.showNormal();
    if (const QScreen* screen = m_window.screen()) {
        QRect frame = m_window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        m_window.move(frame.topLeft());
    }
    // Changing a flag re-creates the native window: only when it was lost.
    if (!m_window.windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        m_window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        m_window.show();
    }
    m_window.raise();
    m_window.activateWindow();
}

} // namespace tavrin
