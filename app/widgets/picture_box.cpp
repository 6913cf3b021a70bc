#include "app/widgets/picture_box.h"

#include <QPainter>

namespace tavrin {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

} // namespace tavrin
