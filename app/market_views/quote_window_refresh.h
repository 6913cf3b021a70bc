#pragma once

#include "app/market_views/quote_window_reply.h"
#include "app/market_views/quote_window_request.h"

#include <QByteArray>
#include <QImage>

namespace tavrin {

class HttpClient;

// The outcome of one quote refresh, fetched on the window's worker.
struct QuoteWindowRefresh {
    QString code;
    QuoteWindowReading reading;
    // Fetched only for a reply that is shown; empty when the fetch failed.
    QByteArray chartBytes;
    // The decoded chart when its bytes differ from the ones the refresh was started with.
    QImage chartPicture;
    bool chartDecoded = false;
};

// The quote, then (for a reply that is shown) the minute chart. Blocks for both
// requests: call it on a worker thread.
QuoteWindowRefresh fetchQuoteWindowRefresh(HttpClient& http, const QuoteWindowRequest& request,
                                           const QByteArray& chartShown);

} // namespace tavrin
