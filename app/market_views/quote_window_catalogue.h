#pragma once

#include "app/widgets/control_entry.h"

#include <QRgb>
#include <optional>
#include <span>

namespace tavrin {

// A control's face as designed. Families are '|'-separated, the designed face
// first and faces that exist here after it; empty keeps the standard face, a
// size of 0 the standard size.
struct FontDesign {
    const char* families = "";
    int pixelSize = 0;
    bool bold = false;
};

// The looks of one control of the catalogue: its font and, where designed, its
// text and background colours.
struct ControlStyle {
    const char* name;
    FontDesign font{};
    std::optional<QRgb> text{};
    std::optional<QRgb> background{};
};

// The quote window as designed: outer size 575 x 408, no caption, every control.
const WindowDesign& quoteWindowDesign();
// The fonts and colours of the controls that have their own.
std::span<const ControlStyle> quoteWindowStyles();

inline constexpr QRgb quoteWindowBackground = qRgb(0, 0, 0);
inline constexpr QRgb quoteRed = qRgb(255, 0, 0);
inline constexpr QRgb quoteGreen = qRgb(0, 255, 0);
inline constexpr QRgb quoteWhite = qRgb(255, 255, 255);

} // namespace tavrin
