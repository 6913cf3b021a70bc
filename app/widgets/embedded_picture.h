#pragma once

#include <QImage>
#include <QString>

namespace tavrin {

// A picture of the embedded resources, decoded with decodePng; null when the
// resource is missing or unreadable.
QImage embeddedPicture(const QString& resourcePath);

} // namespace tavrin
