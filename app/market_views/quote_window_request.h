#pragma once

#include <QByteArray>
#include <QString>

namespace tavrin {

// What one refresh of the quote window asks for a code.
struct QuoteWindowRequest {
    QString code;
    QString prefix; // empty for a code outside the window's markets: asked all the same
    QByteArray quoteUrl;
    QByteArray chartUrl;

    bool marketKnown() const { return !prefix.isEmpty(); }
};

// The quote service "/q=" + prefix + code and the chart "/newchart/min/n/" + prefix +
// code + ".gif", with the window's own prefix table.
QuoteWindowRequest quoteWindowRequest(const QString& code, const QString& quoteBaseUrl,
                                      const QString& chartBaseUrl);

// The default minute-chart service, or TAVRIN_CHART_URL when set.
QString chartServiceUrl();

// The box shown for a code whose market the window does not know.
QString unknownMarketText();

} // namespace tavrin
