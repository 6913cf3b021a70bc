#include "petals/effect_run.h"

#include "petals/effect_window.h"
#include "petals/petal_field.h"
#include "petals/petal_pictures.h"

#include <QCursor>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QSystemTrayIcon>

using namespace Qt::StringLiterals;

namespace tavrin::petals {

EffectRun::EffectRun(PetalField& field, const PetalPictures& pictures, QScreen& screen)
    : m_field(field), m_pictures(pictures) {
    const QRect screenRect = screen.geometry();
    m_field.setScreenSize(screenRect.width(), screenRect.height());
    // Taken before the window shows, so the snapshot is the desktop as it was.
    m_composer.prepare(screen.grabWindow(0).toImage(), screenRect.size());
    m_field.scatterFirstPetals();

    m_window = std::make_unique<EffectWindow>(m_composer.frame());
    connect(m_window.get(), &EffectWindow::closed, &m_loop, &QEventLoop::quit);
    connect(m_window.get(), &EffectWindow::menuRequested, this, &EffectRun::popUpMenuAt);
    connect(m_window.get(), &EffectWindow::petalRequested, this, &EffectRun::addPetalAt);
    // Without a window manager a full-screen request alone leaves a small window.
    m_window->setGeometry(screenRect);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();

    m_frameTimer.setTimerType(Qt::PreciseTimer); // an even fall, not one that drifts by 5 %
    m_frameTimer.setInterval(framePeriodMs);
    connect(&m_frameTimer, &QTimer::timeout, this, &EffectRun::tick);
    m_frameTimer.start();

    m_menu = new QMenu(m_window.get());
    m_passThroughAction = m_menu->addAction(u"启用鼠标穿透"_s);
    m_passThroughAction->setCheckable(true);
    connect(m_passThroughAction, &QAction::triggered, this, &EffectRun::switchToPassThrough);
    m_menu->addSeparator();
    QAction* exitAction = m_menu->addAction(u"退出"_s);
    connect(exitAction, &QAction::triggered, m_window.get(), &QWidget::close);

    m_tray = new QSystemTrayIcon(QIcon(QPixmap::fromImage(trayIconImage())), this);
    m_tray->setToolTip(u"Lumeve"_s);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context)
            popUpMenuAtCursor();
    });
    m_tray->show();

    composeFrame();
}

EffectRun::~EffectRun() {
    m_frameTimer.stop();
    m_tray->hide();
    delete m_tray;
    m_window.reset();
}

int EffectRun::exec() {
    if (m_window->isVisible())
        m_loop.exec();
    return 0;
}

void EffectRun::tick() {
    m_field.advanceTick();
    composeFrame();
}

void EffectRun::addPetalAt(QPoint pos) {
    m_field.addPetalAt(pos.x(), pos.y());
    composeFrame();
}

void EffectRun::popUpMenuAt(QPoint globalPos) {
    m_menu->popup(globalPos);
}

void EffectRun::popUpMenuAtCursor() {
    m_window->raise();
    m_window->activateWindow();
    m_menu->popup(QCursor::pos());
}

void EffectRun::switchToPassThrough() {
    m_passThroughAction->setChecked(true);
    m_passThroughAction->setEnabled(false);
    if (m_passThrough)
        return;
    m_passThrough = true;
    m_window->becomePassThrough();
    composeFrame();
}

void EffectRun::composeFrame() {
    m_composer.compose(m_field.petals(), m_pictures, m_passThrough, m_window->size());
    m_window->update();
}

} // namespace tavrin::petals
