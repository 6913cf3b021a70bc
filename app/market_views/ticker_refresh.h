#pragma once

#include "app/market_views/ticker_label_text.h"
#include "app/market_views/ticker_sweep.h"
#include "monitor/notifier.h"
#include "quotes/view_worker.h"

#include <QObject>
#include <memory>

namespace tavrin {

// The balloon of a sweep that could not reach the quote service.
Balloon tickerNetworkFailureBalloon();

// The index refresh of the ticker bar: each sweep runs on the bar's own worker
// thread, its results come back to the UI thread in table order. A sweep in which
// any index got no reply shows the failure balloon once; those labels keep their
// last values.
class TickerRefresh : public QObject {
    Q_OBJECT

public:
    // The notifier must outlive this object.
    TickerRefresh(std::unique_ptr<HttpClient> http, QString baseUrl, Notifier& notifier,
                  QObject* parent = nullptr);

    // Starts one sweep and returns at once; false, and nothing started, while the
    // previous sweep still runs (the tick is skipped).
    bool startSweep();
    bool isBusy() const { return m_worker.isBusy(); }
    // Ends the transfers under way and refuses new ones (shutdown); safe from any thread.
    void cancel() { m_worker.cancel(); }

signals:
    // An index's label gets this text (and its colour follows the move).
    void indexUpdated(int order, const tavrin::IndexLabelText& label);
    // A sweep's results were all applied.
    void sweepApplied();

private:
    void apply(const TickerReplies& replies);

    Notifier& m_notifier;
    QByteArray m_baseUrl;
    ViewWorker m_worker;
};

} // namespace tavrin
