#include "app/widgets/window_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#ifdef _WIN32
#include "platform/windows_api.h"
#endif

namespace tavrin {

using namespace Qt::StringLiterals;

namespace {

// What the title bar and borders add to the client area.
QSize frameSize(QWidget& window) {
#ifdef _WIN32
    // Qt's frame geometry leaves out the resize borders, as Windows 10 and later
    // draw them invisible, yet the window rectangle, the outer size of a design,
    // holds them. The native window is made first: its styles give the frame.
    // Other platforms (offscreen in tests) hand out ids that are no window handles.
    if (QGuiApplication::platformName() == "windows"_L1) {
        const auto handle = reinterpret_cast<HWND>(window.winId());
        RECT outer;
        RECT client;
        if (GetWindowRect(handle, &outer) && GetClientRect(handle, &client)) {
            const qreal ratio = window.devicePixelRatioF();
            return QSize(qRound((outer.right - outer.left - client.right) / ratio),
                         qRound((outer.bottom - outer.top - client.bottom) / ratio));
        }
    }
#endif
    return window.frameGeometry().size() - window.geometry().size();
}

} // namespace

void setOuterSize(QWidget& window, QSize outerSize) {
    window.resize(outerSize - frameSize(window));
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
