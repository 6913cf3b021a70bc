#include "app/market_views/quote_window_request.h"

#include "platform/gbk.h"
#include "quotes/market_prefix.h"

namespace tavrin {

using namespace Qt::StringLiterals;

namespace {

QByteArray withoutTrailingSlash(const QString& baseUrl) {
    QByteArray base = baseUrl.toUtf8();
    while (base.endsWith('/'))
        base.chop(1);
    return base;
}

} // namespace

QuoteWindowRequest quoteWindowRequest(const QString& code, const QString& quoteBaseUrl,
                                      const QString& chartBaseUrl) {
    QuoteWindowRequest request;
    request.code = code;
    request.prefix = quoteWindowPrefix(code);
    // A code the program put into the box may hold anything: only digits go out as they are.
    const QByteArray key = request.prefix.toLatin1() + gbk::encode(code).toPercentEncoding();
    request.quoteUrl = withoutTrailingSlash(quoteBaseUrl) + "/q=" + key;
    request.chartUrl = withoutTrailingSlash(chartBaseUrl) + "/newchart/min/n/" + key + ".gif";
    return request;
}

QString chartServiceUrl() {
    const QString configured = qEnvironmentVariable("TAVRIN_CHART_URL");
    return configured.isEmpty() ? u"http://image.sinajs.cn"_s : configured;
}

QString unknownMarketText() {
    return u"只支持沪深A股"_s;
}

} // namespace tavrin
