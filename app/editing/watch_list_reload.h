#pragma once

namespace tavrin {

class EditFeedback;
class StockDatabase;
class WatchListModel;

// Fills the list from the database, as after every edit. When the database cannot
// be read the list keeps its rows and an error box says why; false then.
bool reloadWatchList(StockDatabase& database, WatchListModel& model, EditFeedback& feedback);

} // namespace tavrin
