#pragma once

#include <QIcon>

namespace tavrin {

// The program's multi-size icon (window, notification area and tray icon).
QIcon programIcon();

// Resource paths of the pictures the windows show.
inline constexpr char valueButtonPicture[] = ":/tavrin/pictures/value_button.png";
inline constexpr char valuePageFramePicture[] = ":/tavrin/pictures/value_page_frame.png";

} // namespace tavrin
