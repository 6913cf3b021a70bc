#include "petals/frame_composer.h"

#include "petals/petal_pictures.h"

#include <QPainter>
#include <cstring>

namespace tavrin::petals {

void FrameComposer::prepare(const QImage& screenCopy, QSize screenSize) {
    m_snapshot = QImage(screenSize, QImage::Format_RGB32);
    m_snapshot.fill(Qt::black);
    if (!screenCopy.isNull() && !m_snapshot.isNull()) {
        QPainter painter(&m_snapshot);
        // A grab in device pixels (high-DPI screens) is brought to the screen's size.
        painter.drawImage(QRect(QPoint(0, 0), screenSize), screenCopy);
    }
    m_frame = m_snapshot.copy();
}

void FrameComposer::compose(const std::vector<Petal>& petals, const PetalPictures& pictures, bool passThrough,
                            QSize windowSize) {
    if (passThrough) {
        if (m_frame.size() != windowSize || m_frame.format() != QImage::Format_ARGB32_Premultiplied)
            m_frame = QImage(windowSize, QImage::Format_ARGB32_Premultiplied);
        m_frame.fill(Qt::transparent);
    } else {
        if (m_frame.size() != m_snapshot.size() || m_frame.format() != m_snapshot.format())
            m_frame = QImage(m_snapshot.size(), m_snapshot.format());
        if (!m_frame.isNull())
            std::memcpy(m_frame.bits(), m_snapshot.constBits(),
                        static_cast<size_t>(m_snapshot.sizeInBytes()));
    }
    if (m_frame.isNull())
        return;

    QPainter painter(&m_frame);
    for (const Petal& petal : petals) {
        const QImage& image = pictures.image(petal.picture);
        if (image.isNull() || petal.width <= 0 || petal.height <= 0)
            continue;
        painter.drawImage(QRect(petal.x, petal.y, petal.width, petal.height), image);
    }
}

} // namespace tavrin::petals
