#pragma once

#include "app/market_views/ticker_bar.h"

#include <QPointer>

namespace tavrin {

// The program's hold on the ticker bar. The user may close the bar at any time;
// from then on every request below does nothing, and never fails.
class TickerHolder {
public:
    TickerHolder() = default;
    // Deletes the bar if it is still there.
    ~TickerHolder();
    Q_DISABLE_COPY_MOVE(TickerHolder)

    // Takes the bar; it has no parent, and the holder deletes it at the end.
    void hold(TickerBar* bar);
    // The bar, or nullptr once it was closed.
    TickerBar* bar() const;

    void dockTo(const QRect& mainFrame);
    void showBar();
    void hideBar();
    // Shutdown: the bar's transfers end now, so that nothing waits for a slow service.
    // Also for a closed bar whose last sweep may still run.
    void cancelTransfers();

private:
    QPointer<TickerBar> m_bar;
};

} // namespace tavrin
