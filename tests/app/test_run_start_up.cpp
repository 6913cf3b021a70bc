#include "app/main_window/main_window.h"
#include "app/main_window/program_pictures.h"
#include "app/main_window/start_up.h"
#include "platform/data_directory.h"
#include "store/database_file.h"
#include "store/stock_database.h"
#include "store/watch_list_model.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrin;

// The start-up sequence against data directories that are not quite right.
class RunStartUpTest : public QObject {
    Q_OBJECT
private slots:
    void aFileInTheWayOfTheLogFolderStillLoadsTheList();
};

void RunStartUpTest::aFileInTheWayOfTheLogFolderStillLoadsTheList() {
    QTemporaryDir root;
    const DataDirectory data(root.path());
    QVERIFY(provisionDatabaseFile(data.databaseFile()));
    {
        StockDatabase seed;
        QVERIFY(seed.open(data.databaseFile()));
        QVERIFY(seed.append({QStringLiteral("贵州茅台"), QStringLiteral("600519"), {}, {}}));
    }
    QFile::remove(data.logDirectory());
    QFile blocker(data.logDirectory());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    WatchListModel model;
    MainWindow window(&model, programIcon());
    StockDatabase database;
    const Status started = runStartUp(window, database, data);
    QVERIFY2(started, qPrintable(started.reason()));
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.cell(0, WatchListModel::Name), QStringLiteral("贵州茅台"));
}

QTEST_MAIN(RunStartUpTest)
#include "test_run_start_up.moc"
