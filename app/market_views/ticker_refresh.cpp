#include "app/market_views/ticker_refresh.h"

using namespace Qt::StringLiterals;

namespace tavrin {

Balloon tickerNetworkFailureBalloon() {
    return makeBalloon(u"网络连接失败"_s, u"读取股票数据失败，请查看网络是否正常"_s,
                       int(BalloonIcon::Information), 10000);
}

TickerRefresh::TickerRefresh(std::unique_ptr<HttpClient> http, QString baseUrl, Notifier& notifier,
                             QObject* parent)
    : QObject(parent), m_notifier(notifier), m_worker(std::move(http), "ticker") {
    while (baseUrl.endsWith(u'/'))
        baseUrl.chop(1);
    m_baseUrl = baseUrl.toUtf8();
}

bool TickerRefresh::startSweep() {
    return m_worker.tryRun<TickerReplies>(
        [baseUrl = m_baseUrl](HttpClient& http) { return fetchTickerIndices(http, baseUrl); }, this,
        [this](const TickerReplies& replies) { apply(replies); });
}

void TickerRefresh::apply(const TickerReplies& replies) {
    bool failed = false;
    for (size_t i = 0; i < replies.size(); ++i) {
        if (replies[i].isEmpty()) {
            failed = true;
            continue;
        }
        if (const std::optional<IndexLabelText> label = indexLabelText(replies[i]))
            emit indexUpdated(int(i), *label);
    }
    // Once per sweep, not once per index: three balloons in a row only replace each other.
    if (failed)
        m_notifier.showBalloon(tickerNetworkFailureBalloon());
    emit sweepApplied();
}

} // namespace tavrin
