#pragma once

#include <QByteArrayView>
#include <QImage>

namespace tavrin {

// Decodes a PNG held in memory with libpng's simplified reader. Any colour type
// comes back as 8-bit RGBA (QImage::Format_RGBA8888). Data that is not a
// complete, valid PNG, or a picture too large to hold, gives a null image.
QImage decodePng(QByteArrayView data);

} // namespace tavrin
