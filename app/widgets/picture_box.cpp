#include "app/widgets/picture_box.h"

#include "app/widgets/embedded_picture.h"

#include <QPainter>

namespace tavrin {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QPixmap& picture) {
    m_source.clear();
    m_picture = picture;
    update();
}

void PictureBox::setPictureSource(const QString& resourcePath) {
    m_source = resourcePath;
    m_picture = {};
    update();
}

const QPixmap& PictureBox::picture() const {
    if (!m_source.isEmpty()) {
        m_picture = QPixmap::fromImage(embeddedPicture(m_source));
        m_source.clear();
    }
    return m_picture;
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (picture().isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

} // namespace tavrin
