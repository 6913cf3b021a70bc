#include "quotes/market_prefix.h"

#include <QTest>

using namespace tavrin;

class MarketPrefixTest : public QObject {
    Q_OBJECT
private slots:
    void quoteFetchTable_data();
    void quoteFetchTable();
    void quoteWindowTable_data();
    void quoteWindowTable();
    void valuePageTable_data();
    void valuePageTable();
};

void MarketPrefixTest::quoteFetchTable_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("Shanghai composite index") << "000001"
                                              << "sh";
    QTest::newRow("Shenzhen component index") << "399001"
                                              << "sz";
    QTest::newRow("Shenzhen main board") << "000002"
                                         << "sz";
    QTest::newRow("Shanghai") << "600519"
                              << "sh";
    QTest::newRow("ChiNext") << "300750"
                             << "sz";
    QTest::newRow("Beijing 8") << "830799"
                               << "bj";
    QTest::newRow("Beijing 4") << "430047"
                               << "bj";
    QTest::newRow("Beijing 920") << "920002"
                                 << "bj";
    QTest::newRow("no market 1") << "123456"
                                 << "";
    QTest::newRow("B-share 900") << "900901"
                                 << "";
    QTest::newRow("B-share 200") << "200002"
                                 << "";
    QTest::newRow("leading space") << " 60051"
                                   << "";
    QTest::newRow("empty") << ""
                           << "";
}

void MarketPrefixTest::quoteFetchTable() {
    QFETCH(QString, code);
    QFETCH(QString, prefix);
    QCOMPARE(quotePrefix(code), prefix);
}

void MarketPrefixTest::quoteWindowTable_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("index sh") << "000001"
                              << "sh";
    QTest::newRow("index sz") << "399001"
                              << "sz";
    QTest::newRow("Shanghai") << "600519"
                              << "sh";
    QTest::newRow("B-share 2") << "200002"
                               << "sh";
    QTest::newRow("fund 1") << "159915"
                            << "sz";
    QTest::newRow("no Beijing row") << "830799"
                                    << "";
    QTest::newRow("unmatched 9") << "900901"
                                 << "";
}

void MarketPrefixTest::quoteWindowTable() {
    QFETCH(QString, code);
    QFETCH(QString, prefix);
    QCOMPARE(quoteWindowPrefix(code), prefix);
}

void MarketPrefixTest::valuePageTable_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("index sh") << "000001"
                              << "sh";
    QTest::newRow("ChiNext") << "301072"
                             << "sz";
    QTest::newRow("Shenzhen") << "002202"
                              << "sz";
    QTest::newRow("no Beijing") << "430047"
                                << "";
    QTest::newRow("no fund row") << "159915"
                                 << "";
}

void MarketPrefixTest::valuePageTable() {
    QFETCH(QString, code);
    QFETCH(QString, prefix);
    QCOMPARE(valuePagePrefix(code), prefix);
}

QTEST_GUILESS_MAIN(MarketPrefixTest)
#include "test_market_prefix.moc"
