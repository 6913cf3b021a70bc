#include "app/market_views/ticker_sweep.h"

#include "app/market_views/ticker_names.h"

#include <QHash>

namespace tavrin {

const std::array<TickerIndex, 3> tickerIndices{{
    {"sh000001", ticker_names::shanghaiValue},
    {"sz399001", ticker_names::shenzhenValue},
    {"sz399006", ticker_names::chinextValue},
}};

namespace {

// The statements of a batch reply (`v_sh000001="1~...";` per line) by variable name.
QHash<QByteArray, QByteArray> statementsByVariable(const QByteArray& body) {
    QHash<QByteArray, QByteArray> statements;
    // '\n' is never part of a GBK character, so a byte-wise cut is safe.
    for (const QByteArray& line : body.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            statements.insert(line.first(equals).trimmed(), line.trimmed());
    }
    return statements;
}

} // namespace

TickerReplies fetchTickerIndices(HttpClient& http, const QByteArray& baseUrl) {
    TickerReplies replies;
    QByteArray batchUrl = baseUrl + "/q=";
    for (size_t i = 0; i < tickerIndices.size(); ++i)
        batchUrl += (i == 0 ? "" : ",") + QByteArray(tickerIndices[i].requestCode);

    const HttpResponse batch = http.get(batchUrl);
    // No answer at all (no network, a service that never answers): single requests
    // would only wait as long again.
    if (!batch.ok() && batch.status == 0)
        return replies;

    const QHash<QByteArray, QByteArray> statements =
        batch.ok() ? statementsByVariable(batch.body) : QHash<QByteArray, QByteArray>();
    for (size_t i = 0; i < tickerIndices.size(); ++i) {
        const QByteArray code(tickerIndices[i].requestCode);
        if (const auto found = statements.constFind("v_" + code); found != statements.constEnd()) {
            replies[i] = *found;
            continue;
        }
        const HttpResponse single = http.get(baseUrl + "/q=" + code);
        if (single.ok())
            replies[i] = single.body;
    }
    return replies;
}

} // namespace tavrin
