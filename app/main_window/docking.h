#pragma once

#include <QPoint>
#include <QRect>

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

} // namespace tavrin::docking
