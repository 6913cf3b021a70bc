#include "app/market_views/quote_window_reply.h"

#include "app/market_views/quote_window_catalogue.h"
#include "platform/gbk.h"
#include "quotes/number_text.h"
#include "quotes/quote_fetch.h"
#include "quotes/quote_reply.h"

namespace tavrin {

using namespace Qt::StringLiterals;

namespace {

constexpr size_t kNameField = 1;
constexpr size_t kPriceField = 3;
constexpr size_t kPreviousCloseField = 4;
constexpr size_t kOpenField = 5;
constexpr size_t kDateField = 30;
constexpr size_t kHighField = 33;
constexpr size_t kLowField = 34;
constexpr size_t kFieldsRead = kLowField + 1;

constexpr double kDirectionThreshold = 0.0000001;

QString changePercentText(double difference, double previousClose) {
    // Without a previous close there is no percentage to show.
    if (previousClose == 0.0)
        return {};
    // The difference is held in single precision before it is divided, as the window always did.
    const float narrowed = static_cast<float>(difference);
    return doubleToText(roundHalfAwayFromZero(static_cast<double>(narrowed) / previousClose * 100.0, 2));
}

// 20240105150003 -> 2024年01月05日; a shorter field gives what it has.
QString dateText(const QString& field) {
    return field.left(4) + u"年" + field.mid(4, 2) + u"月" + field.mid(6, 2) + u"日";
}

} // namespace

QuoteWindowReading readQuoteWindowReply(QByteArrayView body) {
    const std::vector<QByteArrayView> fields = splitReplyFields(body);
    QuoteWindowReading reading;
    if (fields.empty())
        return reading;
    if (fields.size() < kFieldsRead || fields.size() > static_cast<size_t>(kMaxReplyFields)) {
        reading.status = QuoteWindowReplyStatus::Unreadable;
        return reading;
    }
    const auto field = [&fields](size_t index) { return gbk::decode(fields[index]); };
    QuoteWindowDisplay& display = reading.display;
    const QString previousClose = field(kPreviousCloseField);
    display.name = field(kNameField);
    display.price = field(kPriceField);
    display.previousClose = u"昨收盘: "_s + previousClose;
    display.open = u"今开盘: "_s + field(kOpenField);
    display.high = u"最高价: "_s + field(kHighField);
    display.low = u"最低价: "_s + field(kLowField);
    display.date = dateText(field(kDateField));

    const double previous = textToDouble(previousClose);
    const double difference = textToDouble(display.price) - previous;
    display.change = doubleToText(difference);
    display.changePercent = changePercentText(difference, previous);
    display.directionColour = difference >= -kDirectionThreshold ? quoteRed : quoteGreen;
    reading.status = QuoteWindowReplyStatus::Shown;
    return reading;
}

QString emptyReplyText() {
    return u"股票代号错误！"_s;
}

QString unreadableReplyText() {
    return u"对不起，获取股票信息错误，请稍后再试。"_s;
}

} // namespace tavrin
