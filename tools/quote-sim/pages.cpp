#include "tools/quote-sim/pages.h"

namespace tavrin::sim {

namespace {

std::string escapeHtml(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

std::string valuePageHtml(const std::string& code, const std::optional<StockQuote>& quote) {
    const std::string safeCode = escapeHtml(code);
    std::string html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>投资价值 " + safeCode +
                       "</title></head>\n<body style=\"font-family: sans-serif\">\n";
    if (!quote) {
        html += "<h2>未找到股票 " + safeCode + "</h2>\n</body></html>\n";
        return html;
    }
    const Listing& listing = *quote->listing;
    html += "<h2>" + escapeHtml(listing.name) + "（" + safeCode + "）投资价值</h2>\n<table>\n";
    html += "<tr><td>最新价</td><td>" + quote->priceText + "</td></tr>\n";
    html += "<tr><td>昨收</td><td>" + quote->previousCloseText + "</td></tr>\n";
    html += "<tr><td>今开</td><td>" + formatPrice(quote->open) + "</td></tr>\n";
    html += "<tr><td>最高</td><td>" + formatPrice(quote->high) + "</td></tr>\n";
    html += "<tr><td>最低</td><td>" + formatPrice(quote->low) + "</td></tr>\n";
    if (!listing.index) {
        html += "<tr><td>市盈率</td><td>" + formatPrice(quote->price / 2.1) + "</td></tr>\n";
        html += "<tr><td>市净率</td><td>" + formatPrice(quote->price / 8.7) + "</td></tr>\n";
    }
    html += "</table>\n<p>估值仅供参考，不构成投资建议。</p>\n</body></html>\n";
    return html;
}

std::string updateManifest(const std::string& version, bool forced, int port) {
    std::string text = "升级目录\n\n";
    text += "最新版本2：V" + version + "版 \n\n";
    text += "更新摘要2：\n1. 行情刷新更快，批量获取报价；\n2. 修正了预警连续次数的计数；\n3. "
            "界面细节调整。（完）\n\n";
    text += "地址链接2：http://127.0.0.1:" + std::to_string(port) + "/download（更新版本）\n\n";
    text += std::string("是否强制更新：") + (forced ? "是" : "否") + "（重要更新）\n";
    return text;
}

} // namespace tavrin::sim
