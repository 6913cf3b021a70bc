#pragma once

#include <QPoint>
#include <QRect>
#include <chrono>
#include <optional>

namespace tavrin::docking {

// Where the satellite windows sit against the main window. All rectangles are
// frame geometry (outer size, title bar and border included): the design sizes
// of the windows are outer sizes, so the docking arithmetic is done on them too.

// The quote window at the main window's right edge: left = main left + main width + 1,
// top = main top - 75, height = main height + 70; its width is kept.
QRect quoteWindowPlacement(const QRect& mainFrame, const QRect& quoteFrame);

// The quote window's own re-dock when it is moved: the same left and top, height kept.
QPoint quoteWindowRedock(const QRect& mainFrame);

// The ticker bar on the main window's top edge: left = main left + 5, top = main top -
// ticker height; its size is kept.
QRect tickerPlacement(const QRect& mainFrame, const QRect& tickerFrame);

// The ticker bar's own re-dock when it is moved: left = main left + 8, top = main top -
// ticker height; its size is kept.
QPoint tickerRedock(const QRect& mainFrame, const QRect& tickerFrame);

// Keeps a satellite's own re-dock from fighting a window manager in a loop: each
// move the satellite makes brings another move event, and a manager that keeps
// placing it elsewhere would answer every one. The tries towards one target are
// counted, anew when the target changes, when reset() (the target reached or a
// fresh dock), and, with a period, when the period has passed since the first try.
class RedockGuard {
public:
    using Clock = std::chrono::steady_clock;

    // At most maxTries moves towards one target; per period unless it is zero.
    explicit RedockGuard(int maxTries, std::chrono::milliseconds period = {})
        : m_maxTries(maxTries), m_period(period) {}

    // True, and the try counted, when the satellite may move towards target now.
    bool allow(QPoint target, Clock::time_point now = Clock::now());
    void reset();

private:
    int m_maxTries;
    std::chrono::milliseconds m_period;
    QPoint m_target;
    std::optional<Clock::time_point> m_since; // the first try counted
    int m_tries = 0;
};

} // namespace tavrin::docking
