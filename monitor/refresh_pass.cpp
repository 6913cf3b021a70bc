#include "monitor/refresh_pass.h"

#include "monitor/price_direction.h"
#include "quotes/number_text.h"
#include "store/watch_list_model.h"

namespace tavrin {

QString profitOrLoss(QStringView price, QStringView cost, QStringView quantity) {
    const double difference = textToDouble(doubleToText(textToDouble(price) - textToDouble(cost)));
    return doubleToText(difference * textToDouble(quantity));
}

Rgb changeColour(QStringView change) {
    return textToDouble(change) >= -directionThreshold ? colours::red : colours::green;
}

std::optional<RowRefresh> refreshRow(const RowSnapshot& row, const QuoteResult& quote) {
    if (quote.status != FetchStatus::Fetched || quote.record.code != row.code)
        return std::nullopt;
    RowRefresh refresh;
    refresh.position = row.position;
    refresh.id = row.id;
    refresh.code = row.code;
    refresh.price = quote.record.price;
    refresh.change = quote.record.change;
    refresh.volume = quote.record.volume;
    refresh.changeColour = changeColour(refresh.change);
    return refresh;
}

RowRefreshes refreshRows(const RowSnapshots& rows, const std::vector<QuoteResult>& quotes) {
    RowRefreshes refreshes;
    for (size_t i = 0; i < rows.size() && i < quotes.size(); ++i) {
        if (std::optional<RowRefresh> refresh = refreshRow(rows[i], quotes[i]))
            refreshes.push_back(std::move(*refresh));
    }
    return refreshes;
}

int applyRefreshes(WatchListModel& model, const RowRefreshes& refreshes) {
    ColourBatch batch(model);
    int written = 0;
    for (const RowRefresh& refresh : refreshes) {
        const int r = refresh.position;
        if (model.cell(r, WatchListModel::Id) != refresh.id ||
            model.cell(r, WatchListModel::Code) != refresh.code)
            continue;
        model.setCell(r, WatchListModel::Price, refresh.price);
        model.setCell(r, WatchListModel::Change, refresh.change);
        model.setCell(r, WatchListModel::Volume, refresh.volume);
        model.setCellColours(r, WatchListModel::Change, refresh.changeColour, colours::white);
        model.setCell(r, WatchListModel::Profit,
                      profitOrLoss(refresh.price, model.cell(r, WatchListModel::Cost),
                                   model.cell(r, WatchListModel::Quantity)));
        ++written;
    }
    return written;
}

} // namespace tavrin
