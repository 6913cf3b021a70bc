#include "quotes/quote_record.h"

#include "platform/gbk.h"
#include "quotes/number_text.h"
#include "quotes/quote_reply.h"

namespace tavrin {
namespace {

constexpr int kNameField = 1;
constexpr int kCodeField = 2;
constexpr int kPriceField = 3;
constexpr int kPreviousCloseField = 4;
constexpr int kVolumeField = 6;

QuoteResult failure(FetchStatus status, QString error) {
    QuoteResult result;
    result.status = status;
    result.error = std::move(error);
    return result;
}

QString changePercent(double price, double previousClose) {
    // Without a previous close there is no meaningful change: leave the item empty
    // rather than show an infinite or made-up percentage.
    if (previousClose == 0.0)
        return {};
    return doubleToText(roundHalfAwayFromZero((price - previousClose) / previousClose * 100.0, 2));
}

} // namespace

QString tooManyFieldsMessage() {
    return QStringLiteral("对不起，获取股票信息错误，请检查股票代码。");
}

QuoteResult parseQuoteReply(const QString& requestedCode, QByteArrayView reply) {
    const std::vector<QByteArrayView> fields = splitReplyFields(reply);
    if (fields.empty())
        return failure(FetchStatus::Unreadable, QStringLiteral("empty reply"));
    if (fields.size() > static_cast<size_t>(kMaxReplyFields))
        return failure(FetchStatus::TooManyFields, tooManyFieldsMessage());
    if (fields.size() <= static_cast<size_t>(kCodeField))
        return failure(FetchStatus::Unreadable, QStringLiteral("not a quote reply"));

    QuoteResult result;
    result.record.code = gbk::decode(fields[kCodeField]);
    if (fields[kCodeField] != gbk::encode(requestedCode)) {
        result.status = FetchStatus::OtherCode;
        result.error = QStringLiteral("reply for another code: %1").arg(result.record.code);
        return result;
    }
    if (fields.size() <= static_cast<size_t>(kVolumeField)) {
        // Never read past the last field; the caller must not take this for a quote.
        return failure(FetchStatus::Unreadable,
                       QStringLiteral("reply has only %1 fields").arg(fields.size()));
    }
    result.status = FetchStatus::Fetched;
    result.record.name = gbk::decode(fields[kNameField]);
    result.record.price = gbk::decode(fields[kPriceField]);
    result.record.change = changePercent(textToDouble(result.record.price),
                                         textToDouble(gbk::decode(fields[kPreviousCloseField])));
    result.record.volume =
        doubleToText(roundHalfAwayFromZero(textToDouble(gbk::decode(fields[kVolumeField])), 0));
    return result;
}

} // namespace tavrin
