#include "tools/quote-sim/quote_reply.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tavrin::sim {

namespace {

std::string marketNumber(const std::string& prefix) {
    if (prefix == "sz")
        return "51";
    if (prefix == "bj")
        return "62";
    return "1";
}

std::string formatFixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string formatTime(const std::tm& t, const char* format) {
    char text[32];
    std::strftime(text, sizeof text, format, &t);
    return text;
}

} // namespace

std::vector<std::string> quoteFields(const StockQuote& quote, const std::string& nameGbk, std::tm localNow) {
    const Listing& listing = *quote.listing;
    const double price = quote.price;
    const double previous = quote.previousClose;
    const double change = price - previous;
    const double percent = previous != 0 ? change / previous * 100.0 : 0.0;
    const double amplitude = previous != 0 ? (quote.high - quote.low) / previous * 100.0 : 0.0;
    const double tick = listing.index ? 0.0 : 0.01;
    const long long inner = quote.volume - quote.outerVolume;
    const double capital = listing.sharesBillion * price;
    const double turnover =
        listing.sharesBillion > 0 ? static_cast<double>(quote.volume) / (listing.sharesBillion * 1e6) : 0.0;
    const double limit = priceLimit(listing);

    std::vector<std::string> f;
    f.reserve(88);
    f.push_back(marketNumber(listing.prefix));
    f.push_back(nameGbk);
    f.push_back(listing.code);
    f.push_back(quote.priceText);
    f.push_back(quote.previousCloseText);
    f.push_back(formatPrice(quote.open));
    f.push_back(quote.volumeText);
    f.push_back(std::to_string(quote.outerVolume));
    f.push_back(std::to_string(inner));
    // Five bid levels, then five ask levels: price, lots.
    for (int level = 1; level <= 5; ++level) {
        f.push_back(formatPrice(std::max(0.0, price - tick * level)));
        f.push_back(std::to_string(listing.index ? 0 : 37 * level + quote.volume % 97));
    }
    for (int level = 1; level <= 5; ++level) {
        f.push_back(formatPrice(price + tick * level));
        f.push_back(std::to_string(listing.index ? 0 : 29 * level + quote.volume % 89));
    }
    f.push_back(formatTime(localNow, "%H:%M:%S") + "/" + quote.priceText + "/12/B/" +
                formatFixed(price * 1200, 0) + "/" + std::to_string(quote.volume % 100000));
    f.push_back(formatTime(localNow, "%Y%m%d%H%M%S"));
    f.push_back(formatPrice(change));
    f.push_back(formatPrice(percent));
    f.push_back(formatPrice(quote.high));
    f.push_back(formatPrice(quote.low));
    f.push_back(quote.priceText + "/" + std::to_string(quote.volume) + "/" + formatFixed(quote.amount, 0));
    f.push_back(std::to_string(quote.volume));
    f.push_back(formatFixed(quote.amount / 10000.0, 0));
    f.push_back(formatPrice(turnover));
    f.push_back(listing.index ? "" : formatPrice(price / 2.1));
    f.push_back("");
    f.push_back(formatPrice(quote.high));
    f.push_back(formatPrice(quote.low));
    f.push_back(formatPrice(amplitude));
    f.push_back(formatPrice(capital * 0.9));
    f.push_back(formatPrice(capital));
    f.push_back(listing.index ? "" : formatPrice(price / 8.7));
    f.push_back(formatPrice(listing.index ? 0.0 : previous * (1.0 + limit)));
    f.push_back(formatPrice(listing.index ? 0.0 : previous * (1.0 - limit)));
    f.push_back("1.02");
    f.push_back(std::to_string(quote.volume % 1000));
    f.push_back(formatPrice(price));
    f.push_back(listing.index ? "" : formatPrice(price / 2.3));
    f.push_back(listing.index ? "" : formatPrice(price / 2.5));
    f.push_back("");
    f.push_back("");
    f.push_back(formatFixed(listing.sharesBillion * 0.9 * 1e8, 0));
    f.push_back(formatFixed(listing.sharesBillion * 1e8, 0));
    while (f.size() < 88)
        f.push_back(f.size() % 3 == 0 ? "" : "0.00");
    return f;
}

void applyFieldFault(std::vector<std::string>& fields, FaultMode mode, const std::string& tildeNameGbk) {
    switch (mode) {
    case FaultMode::FewFields:
        fields.resize(4);
        break;
    case FaultMode::ManyFields:
        while (fields.size() < manyFieldsCount)
            fields.push_back("0");
        break;
    case FaultMode::OtherCode:
        fields[2] = fields[2] == "000002" ? "600519" : "000002";
        break;
    case FaultMode::TildeName:
        fields[1] = tildeNameGbk;
        break;
    case FaultMode::BadGbk:
        fields[1] = "\xFF\x80" + fields[1];
        break;
    default:
        break;
    }
}

std::string quoteStatement(std::string_view key, const std::vector<std::string>& fields) {
    std::string line = "v_";
    line += key;
    line += "=\"";
    for (const std::string& field : fields) {
        line += field;
        line += '~';
    }
    line += "\";\n";
    return line;
}

std::string noMatchStatement() {
    return "v_pv_none_match=\"1\";\n";
}

} // namespace tavrin::sim
