#pragma once

#include <QByteArrayView>
#include <QImage>

namespace tavrin::petals {

// Decodes a PNG held in memory with libpng's simplified reader into 8-bit RGBA.
// Anything that is not a complete, valid PNG of sane size gives a null image.
QImage decodePng(QByteArrayView data);

} // namespace tavrin::petals
