#pragma once

#include "app/widgets/control_entry.h"

#include <QRgb>
#include <span>

namespace tavrin {

// The index ticker bar as designed: 452 x 69, every control at its place.
const WindowDesign& tickerBarDesign();

// Font and text colour of a label of the bar.
struct LabelStyle {
    const char* name;
    int pixelSize;
    bool bold;
    QRgb colour;
};
std::span<const LabelStyle> tickerLabelStyles();

// The ground of the bar, the same light grey as the close glyph's.
inline constexpr QRgb tickerBackground = 0xFFF6F6F6;

inline constexpr char tickerClosePicture[] = ":/tavrin/pictures/ticker_close.png";

} // namespace tavrin
