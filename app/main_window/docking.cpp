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

bool RedockGuard::allow(QPoint target, Clock::time_point now) {
    const bool periodOver = m_period.count() > 0 && m_since && now - *m_since > m_period;
    if (!m_since || target != m_target || periodOver) {
        m_target = target;
        m_since = now;
        m_tries = 0;
    }
    if (m_tries >= m_maxTries)
        return false;
    ++m_tries;
    return true;
}

void RedockGuard::reset() {
    m_since.reset();
    m_tries = 0;
}

} // namespace tavrin::docking
