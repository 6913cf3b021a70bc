#pragma once

#include <QByteArrayView>
#include <QRgb>
#include <QString>

namespace tavrin {

// What the quote window's labels show for one reply, as texts and colours.
struct QuoteWindowDisplay {
    QString name;          // field 1
    QString price;         // field 3 as received
    QString change;        // field 3 - field 4, unrounded
    QString changePercent; // 2 decimals, no "%"; empty without a previous close
    QString previousClose; // "昨收盘: " + field 4
    QString open;          // "今开盘: " + field 5
    QString high;          // "最高价: " + field 33
    QString low;           // "最低价: " + field 34
    QString date;          // field 30 as 2024年01月05日
    QRgb directionColour;  // red unless the price is below the previous close, then green
};

enum class QuoteWindowReplyStatus {
    Shown,      // display filled
    Empty,      // nothing came back: the code is wrong or the service is away
    Unreadable, // fewer fields than the window reads, or more than 999
};

struct QuoteWindowReading {
    QuoteWindowReplyStatus status = QuoteWindowReplyStatus::Empty;
    QuoteWindowDisplay display{};
};

// Reads a quote reply (GBK bytes) the way the quote window shows it.
QuoteWindowReading readQuoteWindowReply(QByteArrayView body);

// The error boxes of a refresh.
QString emptyReplyText();
QString unreadableReplyText();

} // namespace tavrin
