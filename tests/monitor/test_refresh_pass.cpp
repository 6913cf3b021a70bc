#include "monitor/colour_pass.h"
#include "monitor/refresh_pass.h"
#include "store/watch_list_model.h"

#include <QTest>

using namespace tavrin;

Q_DECLARE_METATYPE(tavrin::Rgb)

namespace {

StockRecord stock(const char* id, const char* name, const char* code, const char* cost,
                  const char* quantity) {
    StockRecord record;
    record.id = QString::fromLatin1(id);
    record.mingcheng = QString::fromUtf8(name);
    record.daima = QString::fromLatin1(code);
    record.cjjg = QString::fromLatin1(cost);
    record.cjsl = QString::fromLatin1(quantity);
    return record;
}

QuoteResult quote(const char* code, const char* price, const char* change,
                  FetchStatus status = FetchStatus::Fetched) {
    QuoteResult result;
    result.status = status;
    result.record.code = QString::fromLatin1(code);
    if (status == FetchStatus::Fetched) {
        result.record.name = QStringLiteral("N");
        result.record.price = QString::fromLatin1(price);
        result.record.change = QString::fromLatin1(change);
        result.record.volume = QStringLiteral("100");
    }
    return result;
}

} // namespace

class RefreshPassTest : public QObject {
    Q_OBJECT
private slots:
    void profitOrLoss_data();
    void profitOrLoss();
    void changeColour_data();
    void changeColour();
    void rowColour_data();
    void rowColour();
    void rowsWithoutTheirQuoteKeepTheirValues();
    void aReloadBetweenSnapshotAndResultMixesNoStocks();
    void colourPassPaintsWholeRowsAndRemovesBlack();
};

void RefreshPassTest::profitOrLoss_data() {
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("profit");
    QTest::newRow("gain") << "10.5"
                          << "9.8"
                          << "1000"
                          << "700";
    QTest::newRow("loss") << "10.5"
                          << "11"
                          << "1000"
                          << "-500";
    QTest::newRow("empty quantity") << "10.5"
                                    << "9.8"
                                    << ""
                                    << "0";
    QTest::newRow("quantity 00") << "10.5"
                                 << "9.8"
                                 << "00"
                                 << "0";
    QTest::newRow("empty cost") << "10.5"
                                << ""
                                << "100"
                                << "1050";
    QTest::newRow("text cost") << "10.5"
                               << "abc"
                               << "2"
                               << "21";
}

void RefreshPassTest::profitOrLoss() {
    QFETCH(QString, price);
    QFETCH(QString, cost);
    QFETCH(QString, quantity);
    QFETCH(QString, profit);
    QCOMPARE(tavrin::profitOrLoss(price, cost, quantity), profit);
}

void RefreshPassTest::changeColour_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<Rgb>("colour");
    QTest::newRow("0 is red") << "0" << colours::red;
    QTest::newRow("rise is red") << "1.5" << colours::red;
    QTest::newRow("-0.01 is green") << "-0.01" << colours::green;
    QTest::newRow("empty is red") << "" << colours::red;
}

void RefreshPassTest::changeColour() {
    QFETCH(QString, change);
    QFETCH(Rgb, colour);
    QCOMPARE(tavrin::changeColour(change), colour);
}

void RefreshPassTest::rowColour_data() {
    QTest::addColumn<QString>("profit");
    QTest::addColumn<Rgb>("colour");
    QTest::newRow("700 red") << "700" << colours::red;
    QTest::newRow("-500 blue") << "-500" << colours::blue;
    QTest::newRow("0 black") << "0" << colours::black;
    QTest::newRow("empty black") << "" << colours::black;
    QTest::newRow("not a number black") << "x" << colours::black;
}

void RefreshPassTest::rowColour() {
    QFETCH(QString, profit);
    QFETCH(Rgb, colour);
    QCOMPARE(rowColourForProfit(profit), colour);
}

void RefreshPassTest::rowsWithoutTheirQuoteKeepTheirValues() {
    WatchListModel model;
    model.fill({stock("1", "A", "600519", "9.8", "1000"), stock("2", "B", "60051", "1", "1"),
                stock("3", "C", "600036", "1", "1"), stock("4", "D", "000002", "1", "1")});
    model.setCell(2, WatchListModel::Price, QStringLiteral("5.00"));
    const RowSnapshots rows = takeSnapshot(model);
    const std::vector<QuoteResult> quotes{
        quote("600519", "10.5", "0"), quote("", "", "", FetchStatus::NoRequest),
        quote("000002", "", "", FetchStatus::OtherCode), quote("", "", "", FetchStatus::Unreadable)};
    QCOMPARE(applyRefreshes(model, refreshRows(rows, quotes)), 1);
    QCOMPARE(model.cell(0, WatchListModel::Price), QStringLiteral("10.5"));
    QCOMPARE(model.cell(0, WatchListModel::Profit), QStringLiteral("700"));
    QCOMPARE(model.cell(0, WatchListModel::Volume), QStringLiteral("100"));
    QCOMPARE(model.cellColours().lookup(0, WatchListModel::Change)->text, colours::red);
    QVERIFY(model.cell(1, WatchListModel::Price).isEmpty());
    QCOMPARE(model.cell(2, WatchListModel::Price), QStringLiteral("5.00"));
    QVERIFY(model.cell(3, WatchListModel::Price).isEmpty());
}

void RefreshPassTest::aReloadBetweenSnapshotAndResultMixesNoStocks() {
    WatchListModel model;
    model.fill({stock("1", "A", "600519", "", ""), stock("2", "B", "600036", "", "")});
    const RowSnapshots rows = takeSnapshot(model);
    // The first stock is deleted meanwhile: B moves up into row 0.
    model.fill({stock("2", "B", "600036", "", "")});
    QCOMPARE(
        applyRefreshes(model, refreshRows(rows, {quote("600519", "1700", "1"), quote("600036", "40", "2")})),
        0);
    QVERIFY(model.cell(0, WatchListModel::Price).isEmpty());
}

void RefreshPassTest::colourPassPaintsWholeRowsAndRemovesBlack() {
    WatchListModel model;
    model.fill({stock("1", "A", "600519", "", ""), stock("2", "B", "600036", "", ""),
                stock("3", "C", "000002", "", "")});
    model.setCell(0, WatchListModel::Profit, QStringLiteral("700"));
    model.setCell(1, WatchListModel::Profit, QStringLiteral("-500"));
    model.setCellColours(2, WatchListModel::Change, colours::green, colours::white);
    int changes = 0;
    connect(&model, &QAbstractItemModel::dataChanged, this, [&] { ++changes; });
    runColourPass(model);
    QCOMPARE(changes, 1);
    for (int c = 0; c < WatchListModel::columnTotal; ++c) {
        QCOMPARE(model.cellColours().lookup(0, c)->text, colours::red);
        QCOMPARE(model.cellColours().lookup(1, c)->text, colours::blue);
        QVERIFY(!model.cellColours().lookup(2, c));
    }
}

QTEST_GUILESS_MAIN(RefreshPassTest)
#include "test_refresh_pass.moc"
