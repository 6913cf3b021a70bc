#include "app/main_window/start_up.h"

#include "app/main_window/main_window.h"
#include "app/widgets/tab_control.h"
#include "platform/data_directory.h"
#include "store/database_file.h"
#include "store/stock_database.h"
#include "store/watch_list_model.h"

#include <QFileInfo>
#include <QSystemTrayIcon>

namespace tavrin {

Status runStartUp(MainWindow& window, StockDatabase& database, const DataDirectory& dataDirectory) {
    window.tabControl()->setCurrentIndex(0);
    window.trayIcon()->show();
    window.watchListModel()->fill({});

    // Without a log folder only the log is lost: the watch list still loads.
    if (const Status provisioned = dataDirectory.provision();
        !provisioned && !QFileInfo(dataDirectory.path()).isDir())
        return provisioned;
    if (const ProvisionResult created = provisionDatabaseFile(dataDirectory.databaseFile()); !created)
        return created;
    if (const DbResult opened = database.open(dataDirectory.databaseFile()); !opened)
        return opened;
    LoadResult loaded = database.loadAll();
    if (!loaded)
        return loaded;
    window.watchListModel()->fill(loaded.records);
    return {};
}

} // namespace tavrin
