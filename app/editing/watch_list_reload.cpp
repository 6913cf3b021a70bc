#include "app/editing/watch_list_reload.h"

#include "app/editing/edit_feedback.h"
#include "store/stock_database.h"
#include "store/watch_list_model.h"

namespace tavrin {

bool reloadWatchList(StockDatabase& database, WatchListModel& model, EditFeedback& feedback) {
    const LoadResult loaded = database.loadAll();
    if (!loaded) {
        feedback.failed(listLoadFailureText(loaded.reason()));
        return false;
    }
    model.fill(loaded.records);
    return true;
}

} // namespace tavrin
