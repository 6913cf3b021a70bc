#pragma once

#include <QByteArrayView>
#include <QColor>
#include <QString>
#include <optional>

namespace tavrin {

enum class PriceMove { Up, Down, Unchanged };

// The quote summary of the value page, as its labels show it.
struct ValueSummary {
    QString name;   // reply field 1
    QString open;   // field 5, as received
    QString price;  // field 3, as received, then "↑" or "↓" when it moved
    QString change; // "1.19%"; empty when the previous close is 0
    PriceMove move = PriceMove::Unchanged;
};

// The summary of one quote reply (GBK); nullopt for an empty reply or one with
// fewer than 6 fields, which leaves the labels as they are.
std::optional<ValueSummary> valueSummary(QByteArrayView reply);

// The text colour of the price and change labels after a move; nullopt keeps
// the colours of the evaluation before.
std::optional<QColor> moveColour(PriceMove move);

} // namespace tavrin
