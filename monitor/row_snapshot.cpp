#include "monitor/row_snapshot.h"

#include "store/watch_list_model.h"

namespace tavrin {

RowSnapshots takeSnapshot(const WatchListModel& model) {
    RowSnapshots rows;
    rows.reserve(static_cast<size_t>(model.rowCount()));
    for (int r = 0; r < model.rowCount(); ++r) {
        RowSnapshot row;
        row.position = r;
        row.id = model.cell(r, WatchListModel::Id);
        row.code = model.cell(r, WatchListModel::Code);
        row.name = model.cell(r, WatchListModel::Name);
        row.price = model.cell(r, WatchListModel::Price);
        row.change = model.cell(r, WatchListModel::Change);
        row.cost = model.cell(r, WatchListModel::Cost);
        row.quantity = model.cell(r, WatchListModel::Quantity);
        row.profit = model.cell(r, WatchListModel::Profit);
        row.alertPrice = model.cell(r, WatchListModel::AlertPrice);
        row.alertKind = model.cell(r, WatchListModel::AlertKind);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace tavrin
