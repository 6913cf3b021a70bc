#include "app/picture_box.h"

#include <QPainter>

namespace tavrin {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

} // namespace tavrin
