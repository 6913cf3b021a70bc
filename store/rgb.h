#pragma once

#include <QtGlobal>

namespace tavrin {

// A colour of the watch list as red, green and blue intensities. Kept free of Qt Gui,
// so that the monitor and every store header build without it.
struct Rgb {
    quint8 red = 0;
    quint8 green = 0;
    quint8 blue = 0;

    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// The 0xBBGGRR form of the Windows colour values (red 255, green 0xFF00, blue 0xFF0000).
constexpr Rgb rgbFromBgr(quint32 bgr) {
    return Rgb{static_cast<quint8>(bgr & 0xFFu), static_cast<quint8>((bgr >> 8) & 0xFFu),
               static_cast<quint8>((bgr >> 16) & 0xFFu)};
}

constexpr quint32 bgrFromRgb(Rgb colour) {
    return quint32{colour.red} | (quint32{colour.green} << 8) | (quint32{colour.blue} << 16);
}

namespace colours {
inline constexpr Rgb red{255, 0, 0};
inline constexpr Rgb green{0, 255, 0};
inline constexpr Rgb blue{0, 0, 255};
inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb white{255, 255, 255};
} // namespace colours

} // namespace tavrin
