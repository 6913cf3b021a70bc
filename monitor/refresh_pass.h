#pragma once

#include "monitor/row_snapshot.h"
#include "quotes/quote_fetch.h"
#include "store/rgb.h"

#include <QMetaType>
#include <QStringView>
#include <optional>

namespace tavrin {

// What one refresh writes into a row: the quote cells and the change cell's colour.
// Tagged with the stock it was computed for.
struct RowRefresh {
    int position = 0;
    QString id;
    QString code;
    QString price;
    QString change;
    QString volume;
    Rgb changeColour;
};

using RowRefreshes = std::vector<RowRefresh>;

// (latest price - cost) x quantity, with the difference and the product each written
// as text and read back, as the list shows them; empty cells count as 0.
QString profitOrLoss(QStringView price, QStringView cost, QStringView quantity);

// Red from -0.0000001 upwards (a change of 0 is red), green below.
Rgb changeColour(QStringView change);

// What a quote writes into a row; nothing when the quote is not for the row's code
// (no market, unreachable, another code, garbage): the row keeps its values.
std::optional<RowRefresh> refreshRow(const RowSnapshot& row, const QuoteResult& quote);

// Pairs each row with its quote by refreshRow.
RowRefreshes refreshRows(const RowSnapshots& rows, const std::vector<QuoteResult>& quotes);

class WatchListModel;

// Writes the refreshes and the profit or loss into the model, each only if its row
// still holds the same ID and code; the colours change in one batch. Returns the
// number of rows written.
int applyRefreshes(WatchListModel& model, const RowRefreshes& refreshes);

} // namespace tavrin

Q_DECLARE_METATYPE(tavrin::RowRefreshes)
