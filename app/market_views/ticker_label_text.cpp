#include "app/market_views/ticker_label_text.h"

#include "monitor/price_direction.h"
#include "platform/gbk.h"
#include "quotes/number_text.h"
#include "quotes/quote_reply.h"

using namespace Qt::StringLiterals;

namespace tavrin {

namespace {

constexpr size_t latestField = 3;
constexpr size_t previousCloseField = 4;

} // namespace

QString indexChangePercent(double latest, double previousClose) {
    const float difference = static_cast<float>(latest - previousClose);
    return doubleToText(roundHalfAwayFromZero(difference / previousClose * 100.0, 2));
}

std::optional<IndexLabelText> indexLabelText(QByteArrayView reply) {
    const std::vector<QByteArrayView> fields = splitReplyFields(reply);
    if (fields.size() <= previousCloseField)
        return std::nullopt;
    const QString latestText = gbk::decode(fields[latestField]);
    const double latest = textToDouble(latestText);
    const double previousClose = textToDouble(gbk::decode(fields[previousCloseField]));
    // No meaningful change without a previous close: rather nothing than an infinite percentage.
    if (previousClose == 0.0)
        return std::nullopt;

    const double difference = latest - previousClose;
    if (difference > directionThreshold)
        return IndexLabelText{latestText + u"  "_s + indexChangePercent(latest, previousClose) + u"%↑"_s,
                              IndexMove::Up};
    if (difference < -directionThreshold)
        return IndexLabelText{latestText + u"  "_s + indexChangePercent(latest, previousClose) + u"%↓"_s,
                              IndexMove::Down};
    return IndexLabelText{latestText, IndexMove::Unchanged};
}

std::optional<QColor> indexLabelColour(IndexMove move) {
    switch (move) {
    case IndexMove::Up:
        return QColor(255, 0, 0);
    case IndexMove::Down:
        return QColor(0, 0, 255);
    case IndexMove::Unchanged:
        break;
    }
    return std::nullopt;
}

} // namespace tavrin
