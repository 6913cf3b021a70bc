#include "app/market_views/ticker_holder.h"

#include "app/market_views/ticker_refresh.h"

namespace tavrin {

TickerHolder::~TickerHolder() {
    delete m_bar.data();
}

void TickerHolder::hold(TickerBar* bar) {
    delete m_bar.data();
    m_bar = bar;
}

TickerBar* TickerHolder::bar() const {
    return m_bar && !m_bar->isClosed() ? m_bar.data() : nullptr;
}

void TickerHolder::dockTo(const QRect& mainFrame) {
    if (TickerBar* ticker = bar())
        ticker->dockTo(mainFrame);
}

void TickerHolder::showBar() {
    if (TickerBar* ticker = bar())
        ticker->show();
}

void TickerHolder::hideBar() {
    if (TickerBar* ticker = bar())
        ticker->hide();
}

void TickerHolder::cancelTransfers() {
    if (m_bar)
        m_bar->refresh().cancel();
}

} // namespace tavrin
