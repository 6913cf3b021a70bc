#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;

namespace tavrin {

// Decodes the chart service's GIF (any format Qt reads, in fact); null when the
// bytes are no picture. Safe on any thread.
QImage decodeMinuteChart(const QByteArray& bytes);

// Where a picture of that size is drawn on the canvas: as large as fits, aspect
// ratio kept, centred. Empty for an empty picture or canvas.
QRect fittedChartRect(QSize picture, QSize canvas);

// The minute chart on the quote window's canvas: the bytes last taken in and the
// picture they decode to. Bytes that are no picture, or none, show no chart.
class MinuteChart {
public:
    // Takes the bytes of a fetch; decoded is their picture when the caller has it
    // already (decoding is the costly part). Returns false, changing nothing, when
    // the bytes are those of the chart shown.
    bool offer(const QByteArray& bytes, const QImage* decoded = nullptr);

    const QByteArray& bytes() const { return m_bytes; }
    const QImage& picture() const { return m_picture; }
    void paint(QPainter& painter, QSize canvas) const;

private:
    QByteArray m_bytes;
    QImage m_picture;
};

} // namespace tavrin
