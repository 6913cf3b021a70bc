#include "app/main_window.h"
#include "app/program_pictures.h"
#include "app/standard_font.h"
#include "app/start_up.h"
#include "platform/data_directory.h"
#include "store/stock_database.h"
#include "store/watch_list_model.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

using namespace tavrin;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrin"));
    applyStandardFont(application);
    const QIcon icon = programIcon();
    QApplication::setWindowIcon(icon);

    const DataDirectory dataDirectory = DataDirectory::resolve();
    StockDatabase database;
    WatchListModel watchList;
    MainWindow window(&watchList, icon);
    // Closing the main window ends the program, whatever other windows are open.
    QObject::connect(&window, &MainWindow::closeRequested, &application, [] { QCoreApplication::exit(0); });

    window.show();
    if (const QString error = runStartUp(window, database, dataDirectory); !error.isEmpty())
        std::fprintf(stderr, "Tavrin: watch list not loaded: %s\n", qPrintable(error));

    // For tests driving the real program: close the main window after N ms.
    bool hasExitDelay = false;
    const int exitAfterMs = qEnvironmentVariableIntValue("TAVRIN_EXIT_AFTER_MS", &hasExitDelay);
    if (hasExitDelay)
        QTimer::singleShot(exitAfterMs, &window, &QWidget::close);

    return QApplication::exec();
}
