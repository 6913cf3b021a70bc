#pragma once

#include "monitor/notifier.h"

class QSystemTrayIcon;

namespace tavrin {

// Balloon tips from the tray icon 托盘图标1. UI thread only.
class TrayNotifier final : public Notifier {
public:
    explicit TrayNotifier(QSystemTrayIcon& trayIcon) : m_trayIcon(trayIcon) {}
    void showBalloon(const Balloon& balloon) override;

private:
    QSystemTrayIcon& m_trayIcon;
};

} // namespace tavrin
