#pragma once

#include <QSize>

class QWidget;

namespace tavrin {

// Design sizes are outer sizes, title bar and border included, as on Windows:
// Qt's resize() sets the client area, so the frame the window manager added is
// taken off first. On Windows the frame comes from the native window, made here if
// need be, resize borders included. Elsewhere, before the window manager has framed
// the shown window, the frame is not yet known and the client area gets the whole size.
void setOuterSize(QWidget& window, QSize outerSize);

// Moves a window of the given outer size over the middle of its owner, kept on the
// owner's screen when it would stand off an edge.
void placeOver(QWidget& window, const QWidget& owner, QSize outerSize);

} // namespace tavrin
