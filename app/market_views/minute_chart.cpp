#include "app/market_views/minute_chart.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

namespace tavrin {

QImage decodeMinuteChart(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    // The format is read from the content, so a PNG or JPEG under a .gif name shows too.
    QImageReader reader(&buffer);
    return reader.read();
}

QRect fittedChartRect(QSize picture, QSize canvas) {
    if (picture.isEmpty() || canvas.isEmpty())
        return {};
    const QSize fitted = picture.scaled(canvas, Qt::KeepAspectRatio);
    return {QPoint((canvas.width() - fitted.width()) / 2, (canvas.height() - fitted.height()) / 2), fitted};
}

bool MinuteChart::offer(const QByteArray& bytes, const QImage* decoded) {
    if (bytes == m_bytes)
        return false;
    m_bytes = bytes;
    m_picture = decoded ? *decoded : decodeMinuteChart(bytes);
    return true;
}

void MinuteChart::paint(QPainter& painter, QSize canvas) const {
    const QRect target = fittedChartRect(m_picture.size(), canvas);
    if (target.isEmpty())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_picture);
}

} // namespace tavrin
