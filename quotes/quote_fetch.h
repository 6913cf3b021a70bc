#pragma once

#include "platform/http_client.h"
#include "quotes/quote_record.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <vector>

namespace tavrin {

// Codes per batch request: keeps the URL short while a long list needs few requests.
inline constexpr size_t kQuoteBatchSize = 60;

// The quote in the response to a request for code alone.
QuoteResult quoteFromResponse(const QString& code, const HttpResponse& response);

// One batch request: distinct codes asked together.
struct QuoteBatch {
    std::vector<QString> codes;
    QByteArray url;
};

// The quotes a batch reply answers (one statement per line), by code. A code the
// reply does not answer is left out: it is to be asked alone.
QHash<QString, QuoteResult> parseBatchReply(const std::vector<QString>& codes, QByteArrayView reply);

// The default quote service, or TAVRIN_QUOTE_URL when set.
QString quoteServiceUrl();

// Fetches quotes over an HttpClient. Stateless apart from its configuration: every
// call returns its own record, so any number of threads may share one fetcher.
class QuoteFetcher {
public:
    QuoteFetcher(HttpClient& http, QString baseUrl);

    // The request URL for a code, or an empty array when no request is made.
    QByteArray requestUrl(const QString& code) const;

    QuoteResult fetch(const QString& code) const;

    // The batch requests for the requestable codes, each code once, in the order of
    // their first place, at most kQuoteBatchSize codes per request.
    std::vector<QuoteBatch> batches(const std::vector<QString>& codes) const;

    // Quotes for many codes, in their order. Codes are asked in batch requests
    // (the service answers "/q=a,b,c" with one statement per line); a code the
    // batch reply does not answer is asked alone.
    std::vector<QuoteResult> fetchMany(const std::vector<QString>& codes, int maxInFlight = 8) const;

private:
    HttpClient& m_http;
    QByteArray m_baseUrl;
};

} // namespace tavrin
