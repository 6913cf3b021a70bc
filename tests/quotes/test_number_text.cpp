#include "quotes/number_text.h"

#include <QTest>
#include <limits>

using namespace tavrin;

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void textToDouble_data();
    void textToDouble();
    void doubleToText_data();
    void doubleToText();
    void rounding_data();
    void rounding();
};

void NumberTextTest::textToDouble_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "10.5" << 10.5;
    QTest::newRow("negative") << "-0.28" << -0.28;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("not a number") << "abc" << 0.0;
    QTest::newRow("trailing text") << "12.5元" << 12.5;
    QTest::newRow("leading blank") << " 7" << 7.0;
    QTest::newRow("quantity 00") << "00" << 0.0;
    QTest::newRow("leading dot") << ".5" << 0.5;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("no exponent") << "1e5" << 1.0;
    QTest::newRow("no inf") << "inf" << 0.0;
    QTest::newRow("full-width digits") << "１２" << 0.0;
}

void NumberTextTest::textToDouble() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(tavrin::textToDouble(text), value);
}

void NumberTextTest::doubleToText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("half") << 1.5 << "1.5";
    QTest::newRow("negative") << -0.28 << "-0.28";
    QTest::newRow("percent") << 11.11 << "11.11";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("binary noise") << 0.1 + 0.2 << "0.3";
    QTest::newRow("difference noise") << 10.5 - 9.8 << "0.7";
    QTest::newRow("profit") << 700.0000000000001 << "700";
    QTest::newRow("large volume") << 123456789012.0 << "123456789012";
    QTest::newRow("not finite") << std::numeric_limits<double>::infinity() << "0";
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << "0";
}

void NumberTextTest::doubleToText() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(tavrin::doubleToText(value), text);
}

void NumberTextTest::rounding_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("10 vs 9") << (10.0 - 9.0) / 9.0 * 100 << 2 << "11.11";
    QTest::newRow("8.91 vs 9") << (8.91 - 9.0) / 9.0 * 100 << 2 << "-1";
    QTest::newRow("1.005") << 1.005 << 2 << "1.01";
    QTest::newRow("-2.675") << -2.675 << 2 << "-2.68";
    QTest::newRow("volume half") << 12345.5 << 0 << "12346";
    QTest::newRow("volume whole") << 12345.0 << 0 << "12345";
    QTest::newRow("tiny negative") << -0.001 << 2 << "0";
}

void NumberTextTest::rounding() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(tavrin::doubleToText(roundHalfAwayFromZero(value, decimals)), text);
}

QTEST_GUILESS_MAIN(NumberTextTest)
#include "test_number_text.moc"
