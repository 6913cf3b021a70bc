#include "app/canvas.h"

#include <QPainter>

namespace tavrin {

Canvas::Canvas(QWidget* parent) : QWidget(parent) {}

void Canvas::setPaintHandler(PaintHandler handler) {
    handler_ = std::move(handler);
    update();
}

void Canvas::paintEvent(QPaintEvent*) {
    if (!handler_)
        return;
    QPainter painter(this);
    handler_(painter, size());
}

} // namespace tavrin
