#include "app/delivery/tray_notifier.h"

#include <QSystemTrayIcon>

namespace tavrin {
namespace {

QSystemTrayIcon::MessageIcon messageIcon(BalloonIcon icon) {
    switch (icon) {
    case BalloonIcon::None:
        return QSystemTrayIcon::NoIcon;
    case BalloonIcon::Warning:
        return QSystemTrayIcon::Warning;
    case BalloonIcon::Error:
        return QSystemTrayIcon::Critical;
    case BalloonIcon::Information:
        break;
    }
    return QSystemTrayIcon::Information;
}

} // namespace

void TrayNotifier::showBalloon(const Balloon& balloon) {
    // Without a notification area (a bare X server) there is nowhere to show it: silent.
    m_trayIcon.showMessage(balloon.title, balloon.body, messageIcon(balloon.icon), balloon.timeoutMs);
}

} // namespace tavrin
