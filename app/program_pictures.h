#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace tavrin {

// A picture of the embedded resources, decoded with decodePng; null when the
// resource is missing or unreadable.
QImage embeddedPicture(const QString& resourcePath);

// The program's multi-size icon (window, notification area and tray icon).
QIcon programIcon();

// Resource paths of the pictures the windows show.
inline constexpr char valueButtonPicture[] = ":/tavrin/pictures/value_button.png";
inline constexpr char valuePageFramePicture[] = ":/tavrin/pictures/value_page_frame.png";

} // namespace tavrin
