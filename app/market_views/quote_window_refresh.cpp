#include "app/market_views/quote_window_refresh.h"

#include "app/market_views/minute_chart.h"
#include "platform/http_client.h"

namespace tavrin {

QuoteWindowRefresh fetchQuoteWindowRefresh(HttpClient& http, const QuoteWindowRequest& request,
                                           const QByteArray& chartShown) {
    QuoteWindowRefresh refresh;
    refresh.code = request.code;
    const HttpResponse quote = http.get(request.quoteUrl);
    // A failed request is an empty reply: the service gave nothing to show.
    refresh.reading = readQuoteWindowReply(quote.ok() ? QByteArrayView(quote.body) : QByteArrayView());
    if (refresh.reading.status != QuoteWindowReplyStatus::Shown)
        return refresh;

    const HttpResponse chart = http.get(request.chartUrl);
    if (chart.ok())
        refresh.chartBytes = chart.body;
    if (refresh.chartBytes != chartShown) {
        refresh.chartPicture = decodeMinuteChart(refresh.chartBytes);
        refresh.chartDecoded = true;
    }
    return refresh;
}

} // namespace tavrin
