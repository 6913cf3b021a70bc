#include "app/value_page/value_summary.h"

#include "monitor/price_direction.h"
#include "platform/gbk.h"
#include "quotes/number_text.h"
#include "quotes/quote_reply.h"

using namespace Qt::StringLiterals;

namespace tavrin {

namespace {

constexpr size_t kNameField = 1;
constexpr size_t kPriceField = 3;
constexpr size_t kPreviousCloseField = 4;
constexpr size_t kOpenField = 5;

// The difference is held in single precision before the division, as the page always did.
QString changePercent(double price, double previousClose) {
    if (previousClose == 0.0)
        return {};
    const float difference = static_cast<float>(price - previousClose);
    return doubleToText(roundHalfAwayFromZero(static_cast<double>(difference) / previousClose * 100.0, 2)) +
           u'%';
}

} // namespace

std::optional<ValueSummary> valueSummary(QByteArrayView reply) {
    const std::vector<QByteArrayView> fields = splitReplyFields(reply);
    if (fields.size() <= kOpenField)
        return std::nullopt;
    ValueSummary summary;
    summary.name = gbk::decode(fields[kNameField]);
    summary.open = gbk::decode(fields[kOpenField]);
    summary.price = gbk::decode(fields[kPriceField]);
    const double price = textToDouble(summary.price);
    const double previousClose = textToDouble(gbk::decode(fields[kPreviousCloseField]));
    summary.change = changePercent(price, previousClose);
    const double difference = price - previousClose;
    if (difference > directionThreshold) {
        summary.move = PriceMove::Up;
        summary.price += u"↑"_s;
    } else if (difference < -directionThreshold) {
        summary.move = PriceMove::Down;
        summary.price += u"↓"_s;
    }
    return summary;
}

std::optional<QColor> moveColour(PriceMove move) {
    switch (move) {
    case PriceMove::Up:
        return QColor(255, 0, 0);
    case PriceMove::Down:
        return QColor(0, 0, 255);
    case PriceMove::Unchanged:
        break;
    }
    return std::nullopt;
}

} // namespace tavrin
