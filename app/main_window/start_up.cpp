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

QString runStartUp(MainWindow& window, StockDatabase& database, const DataDirectory& dataDirectory) {
    window.tabControl()->setCurrentIndex(0);
    window.trayIcon()->show();
    window.watchListModel()->fill({});

    QString error;
    // Without a log folder only the log is lost: the watch list still loads.
    if (!dataDirectory.provision(&error) && !QFileInfo(dataDirectory.path()).isDir())
        return error;
    if (const ProvisionResult created = provisionDatabaseFile(dataDirectory.databaseFile()); !created)
        return created.error;
    if (const DbResult opened = database.open(dataDirectory.databaseFile()); !opened)
        return opened.error;
    LoadResult loaded = database.loadAll();
    if (!loaded)
        return loaded.error;
    window.watchListModel()->fill(loaded.records);
    return {};
}

} // namespace tavrin
