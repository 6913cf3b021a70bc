#include "app/terminal_link/terminal_code.h"

#include <QTest>

using namespace tavrin::terminal_link;

class TerminalCodeTest : public QObject {
    Q_OBJECT
private slots:
    void codeNumber_data();
    void codeNumber();
    void numbersBeyond32BitsAreRefused_data();
    void numbersBeyond32BitsAreRefused();
};

void TerminalCodeTest::codeNumber_data() {
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<int>("number");
    QTest::newRow("Shanghai 600519") << QByteArray("600519") << 7600519;
    QTest::newRow("Shenzhen 000001, not the Shanghai index") << QByteArray("000001") << 6000001;
    QTest::newRow("ChiNext 300750") << QByteArray("300750") << 6300750;
    QTest::newRow("STAR 688981") << QByteArray("688981") << 7688981;
    QTest::newRow("Shanghai B 900901") << QByteArray("900901") << 7900901;
    QTest::newRow("Shenzhen B 200002") << QByteArray("200002") << 6200002;
    QTest::newRow("first digit 5 is Shenzhen") << QByteArray("510300") << 6510300;
    QTest::newRow("letters sort after 6") << QByteArray("abcdef") << 7;
    QTest::newRow("digits read up to the first other byte") << QByteArray("60051a") << 760051;
    QTest::newRow("a blank sorts before 0") << QByteArray(" 00001") << 6;
    QTest::newRow("a GBK lead byte sorts after 6") << QByteArray("\xb9\xc9\xc6\xb1") << 7;
    QTest::newRow("empty") << QByteArray() << 6;
    QTest::newRow("eight digits still fit") << QByteArray("99999999") << 799999999;
}

void TerminalCodeTest::codeNumber() {
    QFETCH(QByteArray, code);
    QFETCH(int, number);
    const auto result = terminalCodeNumber(std::string_view(code.constData(), code.size()));
    QVERIFY(result.has_value());
    QCOMPARE(*result, number);
}

void TerminalCodeTest::numbersBeyond32BitsAreRefused_data() {
    QTest::addColumn<QByteArray>("code");
    QTest::newRow("nine digits") << QByteArray("123456789");
    QTest::newRow("twenty digits") << QByteArray("60051960051960051960");
}

void TerminalCodeTest::numbersBeyond32BitsAreRefused() {
    QFETCH(QByteArray, code);
    QVERIFY(!terminalCodeNumber(std::string_view(code.constData(), code.size())).has_value());
}

QTEST_GUILESS_MAIN(TerminalCodeTest)
#include "test_terminal_code.moc"
