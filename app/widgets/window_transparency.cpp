#include "app/widgets/window_transparency.h"

#include <QImage>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

#ifdef _WIN32
#include "platform/windows_api.h"
#endif

namespace tavrin {

namespace {

// As the original call has it: a key of 0 (black) is no key.
std::optional<QColor> effectiveKey(const std::optional<QColor>& key) {
    if (!key || !key->isValid() || (key->rgb() & 0xFFFFFFu) == 0)
        return std::nullopt;
    return key;
}

#ifdef _WIN32

void applyLayered(HWND window, int alpha, const std::optional<QColor>& key, bool clickThrough) {
    // The layered style replaces the extended style; click-through adds both styles instead.
    const LONG_PTR style = clickThrough
                               ? GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_TRANSPARENT
                               : WS_EX_LAYERED;
    SetWindowLongPtrW(window, GWL_EXSTYLE, style);
    DWORD mode = LWA_ALPHA;
    COLORREF colour = 0;
    if (key) {
        mode = alpha == 0 ? LWA_COLORKEY : LWA_COLORKEY | LWA_ALPHA;
        colour = static_cast<COLORREF>(key->red() | key->green() << 8 | key->blue() << 16);
    }
    SetLayeredWindowAttributes(window, colour, static_cast<BYTE>(alpha), mode);
}

#else

// Coordinates of X shape rectangles are 16-bit: the mask reaches no further.
constexpr QSize maskBound{32767, 32767};

QImage renderedImage(QWidget& window) {
    QImage image(window.size(), QImage::Format_RGB32);
    image.fill(window.palette().color(window.backgroundRole()));
    // A mask of an earlier call must not hide pixels from this one.
    window.render(&image, QPoint(), QRegion(),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren | QWidget::IgnoreMask);
    return image;
}

void setClickThrough(QWidget& window, bool on) {
    // Changing a visible widget's flags would hide it; its native window takes the flag directly.
    if (QWindow* native = window.windowHandle(); native && window.isVisible()) {
        if (native->flags().testFlag(Qt::WindowTransparentForInput) != on)
            native->setFlag(Qt::WindowTransparentForInput, on);
        return;
    }
    if (window.windowFlags().testFlag(Qt::WindowTransparentForInput) != on)
        window.setWindowFlag(Qt::WindowTransparentForInput, on);
}

#endif

} // namespace

QRegion regionWithoutColour(const QImage& image, QColor key, QSize bound) {
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    const QRgb keyPixel = key.rgb();
    // Runs of key-coloured pixels, row by row: already in the band order a region keeps.
    std::vector<QRect> runs;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width();) {
            if (line[x] != keyPixel) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < pixels.width() && line[x] == keyPixel)
                ++x;
            runs.emplace_back(start, y, x - start, 1);
        }
    }
    QRegion keyed;
    keyed.setRects(runs.data(), int(runs.size()));
    return QRegion(QRect(QPoint(0, 0), bound)) - keyed;
}

void applyTransparency(QWidget& window, const Transparency& transparency) {
    const int alpha = std::clamp(transparency.alpha, 0, 255);
    const std::optional<QColor> key = effectiveKey(transparency.colourKey);
#ifdef _WIN32
    applyLayered(reinterpret_cast<HWND>(window.winId()), alpha, key, transparency.clickThrough);
#else
    // A key with alpha 0 is the colour-key-only mode: the window itself stays opaque.
    window.setWindowOpacity(key && alpha == 0 ? 1.0 : alpha / 255.0);
    if (key) {
        const QImage image = renderedImage(window);
        const QSize bound = maskBound.expandedTo(image.size());
        const QRegion region = regionWithoutColour(image, *key, bound);
        // Without a pixel of the key colour no mask is needed.
        if (region == QRegion(QRect(QPoint(0, 0), bound)))
            window.clearMask();
        else
            window.setMask(region);
    } else {
        window.clearMask();
    }
    setClickThrough(window, transparency.clickThrough);
#endif
}

} // namespace tavrin
