#pragma once

#include <QColor>
#include <QRegion>
#include <optional>

class QImage;
class QWidget;

namespace tavrin {

// How see-through a top-level window is drawn.
struct Transparency {
    int alpha = 255;                 // 0 to 255, 255 = opaque
    std::optional<QColor> colourKey; // pixels of exactly this colour are see-through
    bool clickThrough = false;       // mouse input passes through the window
};

// Makes a top-level window layered with the given alpha and colour key. On Windows
// the window's extended style and layered attributes are set; elsewhere the window
// opacity is set and the key-coloured pixels, as the window looks now, are cut out
// of it by a mask. A refusal by the system is silent.
void applyTransparency(QWidget& window, const Transparency& transparency);

// The region of an image without its pixels of exactly the key colour (the image
// taken as opaque); everything beyond the image, up to the bound, stays in the
// region, so that a window that grows later is not cut off.
QRegion regionWithoutColour(const QImage& image, QColor key, QSize bound);

} // namespace tavrin
