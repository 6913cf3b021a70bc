#pragma once

#include "petals/petal.h"

#include <QImage>
#include <QSize>
#include <vector>

namespace tavrin::petals {

class PetalPictures;

// Draws the petal list, in order and each at its picture's own size, onto the
// back buffer: in snapshot mode over the copy of the screen taken at run start,
// in pass-through mode onto a transparent buffer of the window's size.
class FrameComposer {
public:
    FrameComposer() = default;
    Q_DISABLE_COPY_MOVE(FrameComposer)

    // Keeps a copy of the screen at the screen's size (black where the grab
    // gives nothing) and makes the back buffer.
    void prepare(const QImage& screenCopy, QSize screenSize);
    void compose(const std::vector<Petal>& petals, const PetalPictures& pictures, bool passThrough,
                 QSize windowSize);

    // The back buffer; the same object for the composer's whole life.
    const QImage& frame() const { return m_frame; }
    const QImage& snapshot() const { return m_snapshot; }

private:
    QImage m_snapshot;
    QImage m_frame;
};

} // namespace tavrin::petals
