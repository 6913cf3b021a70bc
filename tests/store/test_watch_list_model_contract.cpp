#include "store/watch_list_model.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace tavrin;

namespace {

std::vector<StockRecord> stocks(int count) {
    std::vector<StockRecord> records;
    for (int i = 0; i < count; ++i)
        records.push_back(StockRecord{QString::number(i + 1), QStringLiteral("股票%1").arg(i),
                                      QStringLiteral("%1").arg(600000 + i), QStringLiteral("10"),
                                      QStringLiteral("100"), QString(), QString()});
    return records;
}

} // namespace

// Qt's own checker of the item-model contract watches the list through every kind of change.
class WatchListModelContractTest : public QObject {
    Q_OBJECT
private slots:
    void keepsTheModelContractThroughEveryChange() {
        WatchListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.fill(stocks(5));
        model.setCell(2, WatchListModel::Price, QStringLiteral("10.5"));
        {
            ColourBatch batch(model);
            model.setCellColours(1, WatchListModel::Change, colours::red, colours::white);
            model.setCellColours(3, WatchListModel::Change, colours::green, colours::white);
        }
        model.fill(stocks(2));
        model.fill({});
        model.setCell(0, 0, QStringLiteral("outside the list"));
        model.fill(stocks(3));
        QCOMPARE(model.rowCount(), 3);
    }
};

QTEST_GUILESS_MAIN(WatchListModelContractTest)
#include "test_watch_list_model_contract.moc"
