#include "app/main_window/docking.h"

namespace tavrin::docking {

QRect quoteWindowPlacement(const QRect& mainFrame, const QRect& quoteFrame) {
    const QPoint topLeft = quoteWindowRedock(mainFrame);
    return {topLeft.x(), topLeft.y(), quoteFrame.width(), mainFrame.height() + 70};
}

QPoint quoteWindowRedock(const QRect& mainFrame) {
    return {mainFrame.x() + mainFrame.width() + 1, mainFrame.y() - 75};
}

QRect tickerPlacement(const QRect& mainFrame, const QRect& tickerFrame) {
    return {mainFrame.x() + 5, mainFrame.y() - tickerFrame.height(), tickerFrame.width(),
            tickerFrame.height()};
}

QPoint tickerRedock(const QRect& mainFrame, const QRect& tickerFrame) {
    return {mainFrame.x() + 8, mainFrame.y() - tickerFrame.height()};
}

} // namespace tavrin::docking
