#include "quotes/market_prefix.h"

namespace tavrin {
namespace {

const QString kShanghai = QStringLiteral("sh");
const QString kShenzhen = QStringLiteral("sz");
const QString kBeijing = QStringLiteral("bj");

// The rows every table shares: the two index codes, then Shanghai and Shenzhen by first digit.
QString shanghaiShenzhenPrefix(QStringView code) {
    if (code == u"000001")
        return kShanghai;
    if (code == u"399001")
        return kShenzhen;
    if (code.startsWith(u'6'))
        return kShanghai;
    if (code.startsWith(u'0') || code.startsWith(u'3'))
        return kShenzhen;
    return {};
}

} // namespace

QString quotePrefix(QStringView code) {
    if (QString prefix = shanghaiShenzhenPrefix(code); !prefix.isEmpty())
        return prefix;
    // The Beijing exchange moved new listings to 920xxx; other 9-codes (B-shares) stay unsupported.
    if (code.startsWith(u'8') || code.startsWith(u'4') || code.startsWith(u"92"))
        return kBeijing;
    return {};
}

QString quoteWindowPrefix(QStringView code) {
    if (QString prefix = shanghaiShenzhenPrefix(code); !prefix.isEmpty())
        return prefix;
    if (code.startsWith(u'2'))
        return kShanghai;
    if (code.startsWith(u'1'))
        return kShenzhen;
    return {};
}

QString valuePagePrefix(QStringView code) {
    return shanghaiShenzhenPrefix(code);
}

} // namespace tavrin
