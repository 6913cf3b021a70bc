#pragma once

#include "platform/status.h"

namespace tavrin {

class DataDirectory;
class MainWindow;
class StockDatabase;

// The main window's start-up: the first tab selected, the tray icon placed, the
// data directory and a first-run database provisioned, the stock database opened
// and the watch list loaded. Nothing is reported to the user: a database that cannot be opened
// leaves the list empty. Returns why it could not load.
Status runStartUp(MainWindow& window, StockDatabase& database, const DataDirectory& dataDirectory);

} // namespace tavrin
