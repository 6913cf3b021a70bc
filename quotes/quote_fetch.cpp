#include "quotes/quote_fetch.h"

#include "platform/gbk.h"
#include "quotes/market_prefix.h"
#include "quotes/number_text.h"
#include "quotes/quote_reply.h"

#include <QHash>
#include <QSet>
#include <QUrl>

namespace tavrin {
namespace {

QuoteResult failure(FetchStatus status, QString error) {
    QuoteResult result;
    result.status = status;
    result.error = std::move(error);
    return result;
}

// "v_sh600519" from a statement line `v_sh600519="1~...";`.
QByteArrayView statementVariable(QByteArrayView line) {
    const qsizetype equals = line.indexOf('=');
    return equals < 0 ? QByteArrayView() : line.first(equals).trimmed();
}

QByteArray variableFor(const QString& prefix, const QString& code) {
    return "v_" + prefix.toLatin1() + gbk::encode(code);
}

} // namespace

QuoteResult quoteFromResponse(const QString& code, const HttpResponse& response) {
    if (!response.ok())
        return failure(FetchStatus::Unreadable, response.outcome().detail());
    return parseQuoteReply(code, response.body);
}

QHash<QString, QuoteResult> parseBatchReply(const std::vector<QString>& codes, QByteArrayView reply) {
    QHash<QByteArray, QByteArrayView> statements;
    // '\n' is never part of a GBK character, so a byte-wise cut is safe.
    for (qsizetype start = 0; start < reply.size();) {
        qsizetype end = reply.indexOf('\n', start);
        if (end < 0)
            end = reply.size();
        const QByteArrayView line = reply.sliced(start, end - start).trimmed();
        if (const QByteArrayView variable = statementVariable(line); !variable.isEmpty())
            statements.insert(variable.toByteArray(), line);
        start = end + 1;
    }
    QHash<QString, QuoteResult> answered;
    for (const QString& code : codes) {
        const auto found = statements.constFind(variableFor(quotePrefix(code), code));
        if (found != statements.constEnd())
            answered.insert(code, parseQuoteReply(code, *found));
    }
    return answered;
}

QString quoteServiceUrl() {
    const QString configured = qEnvironmentVariable("TAVRIN_QUOTE_URL");
    return configured.isEmpty() ? QStringLiteral("http://qt.gtimg.cn") : configured;
}

QuoteFetcher::QuoteFetcher(HttpClient& http, QString baseUrl) : m_http(http) {
    while (baseUrl.endsWith(u'/'))
        baseUrl.chop(1);
    m_baseUrl = baseUrl.toUtf8();
}

QByteArray QuoteFetcher::requestUrl(const QString& code) const {
    if (gbk::byteLength(code) != kStockCodeBytes)
        return {};
    const QString prefix = quotePrefix(code);
    if (prefix.isEmpty())
        return {};
    // Codes come from user input: anything but digits is percent-encoded.
    return m_baseUrl + "/q=" + prefix.toLatin1() +
           QUrl::toPercentEncoding(QString::fromLatin1(gbk::encode(code)));
}

QuoteResult QuoteFetcher::fetch(const QString& code) const {
    const QByteArray url = requestUrl(code);
    if (url.isEmpty())
        return failure(FetchStatus::NoRequest, gbk::byteLength(code) != kStockCodeBytes
                                                   ? QStringLiteral("a stock code is 6 characters long")
                                                   : QStringLiteral("no market for this code"));
    return quoteFromResponse(code, m_http.get(url));
}

std::vector<QuoteBatch> QuoteFetcher::batches(const std::vector<QString>& codes) const {
    std::vector<QString> distinct;
    QSet<QString> seen;
    for (const QString& code : codes) {
        if (!seen.contains(code) && !requestUrl(code).isEmpty()) {
            seen.insert(code);
            distinct.push_back(code);
        }
    }
    std::vector<QuoteBatch> batches;
    for (size_t start = 0; start < distinct.size(); start += kQuoteBatchSize) {
        const size_t end = std::min(distinct.size(), start + kQuoteBatchSize);
        QuoteBatch batch;
        batch.codes.assign(distinct.begin() + static_cast<std::ptrdiff_t>(start),
                           distinct.begin() + static_cast<std::ptrdiff_t>(end));
        QByteArray query;
        for (const QString& code : batch.codes) {
            if (!query.isEmpty())
                query += ',';
            query += quotePrefix(code).toLatin1() +
                     QUrl::toPercentEncoding(QString::fromLatin1(gbk::encode(code)));
        }
        batch.url = m_baseUrl + "/q=" + query;
        batches.push_back(std::move(batch));
    }
    return batches;
}

std::vector<QuoteResult> QuoteFetcher::fetchMany(const std::vector<QString>& codes, int maxInFlight) const {
    const std::vector<QuoteBatch> requests = batches(codes);
    std::vector<QByteArray> urls;
    for (const QuoteBatch& batch : requests)
        urls.push_back(batch.url);
    const std::vector<HttpResponse> responses = m_http.getMany(urls, maxInFlight);

    QHash<QString, QuoteResult> answered;
    std::vector<QString> unanswered;
    for (size_t b = 0; b < requests.size(); ++b) {
        const QHash<QString, QuoteResult> replies =
            responses[b].ok() ? parseBatchReply(requests[b].codes, responses[b].body)
                              : QHash<QString, QuoteResult>();
        for (const QString& code : requests[b].codes) {
            if (const auto found = replies.constFind(code); found != replies.constEnd())
                answered.insert(code, *found);
            else
                unanswered.push_back(code);
        }
    }

    // Whatever the batches did not answer is asked alone, a few at a time.
    std::vector<QByteArray> singleUrls;
    for (const QString& code : unanswered)
        singleUrls.push_back(requestUrl(code));
    const std::vector<HttpResponse> singles = m_http.getMany(singleUrls, maxInFlight);
    for (size_t i = 0; i < unanswered.size(); ++i)
        answered.insert(unanswered[i], quoteFromResponse(unanswered[i], singles[i]));

    std::vector<QuoteResult> results;
    results.reserve(codes.size());
    for (const QString& code : codes)
        results.push_back(answered.contains(code) ? answered.value(code) : fetch(code));
    return results;
}

} // namespace tavrin
