#pragma once

#include <QImage>
#include <QSize>

namespace tavrin {

// Fits the page's frame picture to its picture box: scaled, keeping its
// proportions, until it covers the box, and cut at the right and bottom edges
// (the frame's caption bar and summary column start at the top-left).
QImage fitFramePicture(const QImage& picture, QSize box);

} // namespace tavrin
