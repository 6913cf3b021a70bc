#include "app/widgets/window_placement.h"

#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tavrin {

void setOuterSize(QWidget& window, QSize outerSize) {
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    window.resize(outerSize - frame);
}

void placeOver(QWidget& window, const QWidget& owner, QSize outerSize) {
    QRect frame({}, outerSize);
    frame.moveCenter(owner.frameGeometry().center());
    if (const QScreen* screen = owner.screen()) {
        const QRect available = screen->availableGeometry();
        frame.moveLeft(std::clamp(frame.left(), available.left(),
                                  std::max(available.left(), available.right() - frame.width())));
        frame.moveTop(std::clamp(frame.top(), available.top(),
                                 std::max(available.top(), available.bottom() - frame.height())));
    }
    window.move(frame.topLeft());
}

} // namespace tavrin
