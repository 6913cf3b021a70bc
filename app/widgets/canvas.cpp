#include "app/widgets/canvas.h"

#include <QPainter>

namespace tavrin {

Canvas::Canvas(QWidget* parent) : QWidget(parent) {}

void Canvas::setPaintHandler(PaintHandler handler) {
    m_handler = std::move(handler);
    update();
}

void Canvas::paintEvent(QPaintEvent*) {
    if (!m_handler)
        return;
    QPainter painter(this);
    m_handler(painter, size());
}

} // namespace tavrin
