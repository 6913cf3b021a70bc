#include "store/stock_database.h"
#include "store/watch_list_model.h"
#include "tests/store/store_fixture.h"

#include <QColor>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrin;

namespace {

using Cells = QList<QStringList>; // expected rows, 11 cells each

Cells cells(const WatchListModel& model) {
    Cells result;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < model.columnCount(); ++column)
            texts << model.cell(row, column);
        result << texts;
    }
    return result;
}

// A row as the fill leaves it: ID, name, four empty quote cells among the stored ones.
QStringList filled(const QString& id, const QString& name, const QString& cost, const QString& quantity,
                   const QString& code, const QString& alertPrice, const QString& alertKind) {
    return {id, name, "", "", cost, quantity, "", code, alertPrice, alertKind, ""};
}

StockRecord record(const QString& id, const QString& name, const QString& code) {
    return StockRecord{id, name, code, QStringLiteral("10"), QStringLiteral("100"), QString(), QString()};
}

QColor colourAt(const WatchListModel& model, int row, int column, int role) {
    return model.data(model.index(row, column), role).value<QColor>();
}

} // namespace

Q_DECLARE_METATYPE(std::vector<fixture::Row>)

class WatchListModelTest : public QObject {
    Q_OBJECT
private slots:
    void columns();
    void fillFromDatabase_data();
    void fillFromDatabase();
    void missingDatabaseLeavesTheListEmpty();
    void reloadEmptiesQuoteCellsAndKeepsColoursOnPositions();
    void cellsOutsideTheListAreEmpty();
    void setCellAnnouncesChanges();
    void colourRoles();
    void colourBatchAnnouncesOnce();
    void listShowsAtMost64CharactersOfACell_data();
    void listShowsAtMost64CharactersOfACell();
};

void WatchListModelTest::columns() {
    const WatchListModel model;
    QCOMPARE(model.columnCount(), 11);
    QStringList titles;
    for (int column = 0; column < model.columnCount(); ++column) {
        titles << model.headerData(column, Qt::Horizontal).toString();
        QCOMPARE(model.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                 static_cast<int>(Qt::AlignCenter));
    }
    QCOMPARE(titles, (QStringList{"序", "证券名称", "最新", "涨幅", "买入成本", "买入数量", "持仓盈亏",
                                  "代码", "预警价格", "预警内容", "总成交量"}));
    QCOMPARE(WatchListModel::columnTitle(WatchListModel::AlertKind), QStringLiteral("预警内容"));
    QCOMPARE(WatchListModel::columnTitle(11), QString());
    const std::array<int, 11> widths = {30, 60, 60, 60, 60, 60, 60, 60, 80, 80, 80};
    QVERIFY(WatchListModel::columnWidths() == widths);
    QCOMPARE(int{WatchListModel::Id}, 0);
    QCOMPARE(int{WatchListModel::Code}, 7);
    QCOMPARE(int{WatchListModel::Volume}, 10);
}

void WatchListModelTest::fillFromDatabase_data() {
    QTest::addColumn<std::vector<fixture::Row>>("rows");
    QTest::addColumn<Cells>("expected");

    QTest::newRow("empty table") << std::vector<fixture::Row>{} << Cells{};
    QTest::newRow("NULLs read as empty cells")
        << std::vector<fixture::Row>{{7, QVariant(), "600519", QVariant(), QVariant(), QVariant(),
                                      QVariant()}}
        << Cells{filled("7", "", "", "", "600519", "", "")};
    QTest::newRow("every stored field in its column")
        << std::vector<fixture::Row>{{1, "金风科技", "002202", "9.8", "00", "12", "上涨到"}}
        << Cells{filled("1", "金风科技", "9.8", "00", "002202", "12", "上涨到")};
    QTest::newRow("ascending ID whatever the order of insertion")
        << std::vector<fixture::Row>{{9, "c", "000003", QVariant(), QVariant(), QVariant(), QVariant()},
                                     {2, "a", "000001", QVariant(), QVariant(), QVariant(), QVariant()},
                                     {5, "b", "000002", QVariant(), QVariant(), QVariant(), QVariant()}}
        << Cells{filled("2", "a", "", "", "000001", "", ""), filled("5", "b", "", "", "000002", "", ""),
                 filled("9", "c", "", "", "000003", "", "")};
    QTest::newRow("duplicate codes each have their row")
        << std::vector<fixture::Row>{{1, "金风科技", "002202", "9.8", "1000", QVariant(), QVariant()},
                                     {2, "金风二号", "002202", "10", "200", "11", "下跌到"}}
        << Cells{filled("1", "金风科技", "9.8", "1000", "002202", "", ""),
                 filled("2", "金风二号", "10", "200", "002202", "11", "下跌到")};
}

void WatchListModelTest::fillFromDatabase() {
    QFETCH(std::vector<fixture::Row>, rows);
    QFETCH(Cells, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Database.db"));
    QVERIFY(fixture::createDatabase(path, rows));

    StockDatabase db;
    QVERIFY(db.open(path));
    const LoadResult loaded = db.loadAll();
    QVERIFY2(loaded.ok(), qPrintable(loaded.reason()));
    WatchListModel model;
    model.fill(loaded.records);
    QCOMPARE(cells(model), expected);
    QCOMPARE(model.rowCount(), expected.size());
}

void WatchListModelTest::missingDatabaseLeavesTheListEmpty() {
    QTemporaryDir dir;
    StockDatabase db;
    QVERIFY(!db.open(dir.filePath(QStringLiteral("Database.db"))).ok());
    const LoadResult loaded = db.loadAll();
    QVERIFY(!loaded.ok());
    WatchListModel model;
    model.fill({record("1", "a", "000001")});
    model.fill(loaded.records);
    QCOMPARE(model.rowCount(), 0);
}

void WatchListModelTest::reloadEmptiesQuoteCellsAndKeepsColoursOnPositions() {
    WatchListModel model;
    model.fill({record("1", "贵州茅台", "600519"), record("2", "金风科技", "002202")});
    model.setCell(0, WatchListModel::Price, QStringLiteral("1700"));
    model.setCell(0, WatchListModel::Change, QStringLiteral("1.25"));
    model.setCell(0, WatchListModel::Profit, QStringLiteral("700"));
    model.setCell(0, WatchListModel::Volume, QStringLiteral("12345"));
    model.setCellColours(0, WatchListModel::Change, colours::red, colours::white);
    model.setCellColours(1, WatchListModel::Name, colours::blue, colours::white);

    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    // The first stock was deleted: the second moves up into row 0.
    model.fill({record("2", "金风科技", "002202")});
    QCOMPARE(reset.count(), 1);
    QCOMPARE(cells(model), (Cells{filled("2", "金风科技", "10", "100", "002202", "", "")}));
    QVERIFY(model.cellColours().entries() ==
            (std::vector<CellColourEntry>{{0, WatchListModel::Change, colours::red, colours::white},
                                          {1, WatchListModel::Name, colours::blue, colours::white}}));
    QCOMPARE(colourAt(model, 0, WatchListModel::Change, Qt::ForegroundRole), QColor(255, 0, 0));
}

void WatchListModelTest::cellsOutsideTheListAreEmpty() {
    WatchListModel model;
    model.fill({record("1", "a", "000001")});
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    for (const auto& [row, column] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 11}}) {
        QCOMPARE(model.cell(row, column), QString());
        model.setCell(row, column, QStringLiteral("x"));
    }
    QCOMPARE(changed.count(), 0);
    QCOMPARE(model.cell(0, WatchListModel::Code), QStringLiteral("000001"));
    QVERIFY(!model.data(model.index(1, 0)).isValid());
}

void WatchListModelTest::setCellAnnouncesChanges() {
    WatchListModel model;
    model.fill({record("1", "a", "000001"), record("2", "b", "000002")});
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setCell(1, WatchListModel::Price, QStringLiteral("10.5"));
    model.setCell(1, WatchListModel::Price, QStringLiteral("10.5"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].toModelIndex(), model.index(1, WatchListModel::Price));
    QCOMPARE(changed[0][1].toModelIndex(), model.index(1, WatchListModel::Price));
    QCOMPARE(model.data(model.index(1, WatchListModel::Price)).toString(), QStringLiteral("10.5"));
    QCOMPARE(model.data(model.index(1, WatchListModel::Price), Qt::TextAlignmentRole).toInt(),
             static_cast<int>(Qt::AlignCenter));
}

void WatchListModelTest::colourRoles() {
    WatchListModel model;
    model.fill({record("1", "a", "000001")});
    QCOMPARE(colourAt(model, 0, 3, Qt::ForegroundRole), QColor(Qt::black));
    QCOMPARE(colourAt(model, 0, 3, Qt::BackgroundRole), QColor(Qt::white));

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setCellColours(0, 3, rgbFromBgr(0xFF00), rgbFromBgr(0xFF0000));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(colourAt(model, 0, 3, Qt::ForegroundRole), QColor(0, 255, 0));
    QCOMPARE(colourAt(model, 0, 3, Qt::BackgroundRole), QColor(0, 0, 255));
    QCOMPARE(colourAt(model, 0, 4, Qt::ForegroundRole), QColor(Qt::black));

    model.setCellColours(0, 3, rgbFromBgr(0xFF00), rgbFromBgr(0xFF0000));
    QCOMPARE(changed.count(), 1); // no change, no signal
    model.setCellColours(0, 3, colours::black, colours::white);
    QCOMPARE(changed.count(), 2);
    QVERIFY(model.cellColours().empty());
}

void WatchListModelTest::colourBatchAnnouncesOnce() {
    WatchListModel model;
    model.fill({record("1", "a", "000001"), record("2", "b", "000002"), record("3", "c", "000003")});
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    {
        ColourBatch batch(model);
        for (int column = 0; column < model.columnCount(); ++column) {
            model.setCellColours(1, column, colours::red, colours::white);
            model.setCellColours(2, column, colours::blue, colours::white);
        }
        // Entries of rows the list does not have are kept but not announced.
        model.setCellColours(7, 0, colours::red, colours::white);
        QCOMPARE(changed.count(), 0);
    }
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].toModelIndex(), model.index(1, 0));
    QCOMPARE(changed[0][1].toModelIndex(), model.index(2, 10));
    const auto roles = changed[0][2].value<QList<int>>();
    QVERIFY(roles.contains(Qt::ForegroundRole));
    QVERIFY(roles.contains(Qt::BackgroundRole));
    QCOMPARE(model.cellColours().size(), 23u);

    // A batch that changes nothing says nothing; nested batches announce at the outermost end.
    model.beginColourBatch();
    model.setCellColours(0, 0, colours::black, colours::white);
    model.beginColourBatch();
    model.setCellColours(1, 5, colours::black, colours::white);
    model.endColourBatch();
    QCOMPARE(changed.count(), 1);
    model.endColourBatch();
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed[1][0].toModelIndex(), model.index(1, 5));
    QCOMPARE(changed[1][1].toModelIndex(), model.index(1, 5));

    model.beginColourBatch();
    model.setCellColours(0, 0, colours::black, colours::white);
    model.endColourBatch();
    model.endColourBatch(); // unbalanced: ignored
    QCOMPARE(changed.count(), 2);
}

void WatchListModelTest::listShowsAtMost64CharactersOfACell_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    const QString megabyte(512 * 1024, u'股');
    QTest::newRow("short") << QStringLiteral("贵州茅台") << QStringLiteral("贵州茅台");
    QTest::newRow("64 characters") << QString(64, u'a') << QString(64, u'a');
    QTest::newRow("65 characters") << QString(65, u'a') << QString(64, u'a');
    QTest::newRow("a megabyte") << megabyte << megabyte.left(64);
    QTest::newRow("pair across the cut") << QString(63, u'a') + QStringLiteral("𠀀b") << QString(63, u'a');
}

void WatchListModelTest::listShowsAtMost64CharactersOfACell() {
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    WatchListModel model;
    StockRecord stock = record(QStringLiteral("1"), stored, stored);
    stock.cjjg = stored;
    model.fill({stock});
    model.setCell(0, WatchListModel::Price, stored);
    for (int column :
         {WatchListModel::Name, WatchListModel::Code, WatchListModel::Cost, WatchListModel::Price}) {
        QCOMPARE(model.data(model.index(0, column), Qt::DisplayRole).toString(), shown);
        // The commands read what is stored.
        QCOMPARE(model.cell(0, column), stored);
    }
}

QTEST_GUILESS_MAIN(WatchListModelTest)
#include "test_watch_list_model.moc"
