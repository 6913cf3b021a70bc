#pragma once

#include "petals/frame_composer.h"

#include <QEventLoop>
#include <QObject>
#include <QPoint>
#include <QTimer>
#include <memory>

class QAction;
class QMenu;
class QScreen;
class QSystemTrayIcon;

namespace tavrin::petals {

class EffectWindow;
class PetalField;
class PetalPictures;

// One effect run: the constructor performs the start sequence (snapshot, first
// petals, window, frame timer, menu, tray icon, first frame); exec() runs a
// nested event loop on the caller's thread until the window closes. The
// destructor removes the tray icon and destroys the window.
class EffectRun final : public QObject {
    Q_OBJECT

public:
    static constexpr int framePeriodMs = 100;

    EffectRun(PetalField& field, const PetalPictures& pictures, QScreen& screen);
    ~EffectRun() override;
    Q_DISABLE_COPY_MOVE(EffectRun)

    int exec();

    void tick();
    void addPetalAt(QPoint pos);
    void popUpMenuAt(QPoint globalPos);
    // As a click on the tray icon does: the window comes forward first.
    void popUpMenuAtCursor();
    void switchToPassThrough();

    bool isPassThrough() const { return m_passThrough; }
    EffectWindow& window() const { return *m_window; }
    QMenu& menu() const { return *m_menu; }
    QSystemTrayIcon& trayIcon() const { return *m_tray; }
    const QImage& frame() const { return m_composer.frame(); }

private:
    void composeFrame();

    PetalField& m_field;
    const PetalPictures& m_pictures;
    bool m_passThrough = false;
    FrameComposer m_composer;
    std::unique_ptr<EffectWindow> m_window;
    QMenu* m_menu = nullptr; // owned by the window
    QAction* m_passThroughAction = nullptr;
    QSystemTrayIcon* m_tray = nullptr; // owned by this run
    QTimer m_frameTimer;
    QEventLoop m_loop;
};

} // namespace tavrin::petals
