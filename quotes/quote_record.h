#pragma once

#include <QByteArrayView>
#include <QString>

namespace tavrin {

// The five items of one quote reply, all as texts.
struct QuoteRecord {
    QString code;   // field 2 as received
    QString name;   // field 1
    QString price;  // field 3, not reformatted
    QString change; // percent against the previous close, 2 decimals
    QString volume; // field 6, whole number
};

enum class FetchStatus {
    Fetched,       // record complete
    NoRequest,     // code not 6 bytes long, or no market prefix
    Unreadable,    // unreachable, empty, truncated or not a quote reply
    OtherCode,     // reply for another code: only record.code is set, to that code
    TooManyFields, // more than 999 fields: the service answered garbage
};

struct QuoteResult {
    FetchStatus status = FetchStatus::NoRequest;
    QuoteRecord record;
    QString error; // a short reason for anything but Fetched
};

inline constexpr int kMaxReplyFields = 999;
inline constexpr qsizetype kStockCodeBytes = 6;

// The message shown when a reply has more than 999 fields.
QString tooManyFieldsMessage();

// Parses the reply to a request for requestedCode.
QuoteResult parseQuoteReply(const QString& requestedCode, QByteArrayView reply);

} // namespace tavrin
