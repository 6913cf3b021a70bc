#include "petals/effect_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace tavrin::petals {

EffectWindow::EffectWindow(const QImage& frame)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_frame(frame) {
    setObjectName(u"CometFrame"_s);
    setWindowTitle(u"Lumeve"_s);
    // The host's windows decide when the host quits, never this one.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void EffectWindow::becomePassThrough() {
    const QRect place = geometry();
    // The alpha channel is chosen when the native window is made, so make it anew.
    destroy();
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlag(Qt::WindowTransparentForInput);
    setGeometry(place);
    show();
}

void EffectWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect area = event->rect();
    painter.drawImage(area, m_frame, area);
}

void EffectWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        emit menuRequested(event->globalPosition().toPoint());
    QWidget::mouseReleaseEvent(event);
}

void EffectWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit petalRequested(event->position().toPoint());
    QWidget::mouseDoubleClickEvent(event);
}

void EffectWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        close();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void EffectWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace tavrin::petals
