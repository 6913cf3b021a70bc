#pragma once

#include <QByteArrayView>
#include <QColor>
#include <QString>
#include <optional>

namespace tavrin {

enum class IndexMove { Unchanged, Up, Down };

// What an index's value label shows after a reply.
struct IndexLabelText {
    QString text;
    IndexMove move = IndexMove::Unchanged;

    friend bool operator==(const IndexLabelText&, const IndexLabelText&) = default;
};

// Change in percent of an index, 2 decimals, shortest text: the difference is held
// as a single-precision float before it is divided.
QString indexChangePercent(double latest, double previousClose);

// The label for a non-empty reply of the quote service: field 3 as received, and
// when the index moved, two spaces, the change, "%" and an arrow. Nothing (the
// label stays as it is) for a reply with fewer than 5 fields or a previous close of 0.
std::optional<IndexLabelText> indexLabelText(QByteArrayView reply);

// Red when up, blue when down; nothing when unchanged: the label keeps its colour.
std::optional<QColor> indexLabelColour(IndexMove move);

} // namespace tavrin
