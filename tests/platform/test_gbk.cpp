#include "platform/gbk.h"

#include <QTest>

using namespace tavrin;

class GbkTest : public QObject {
    Q_OBJECT
private slots:
    void byteLength_data();
    void byteLength();
    void roundTrip();
    void invalidBytesDecodeToReplacement();
    void truncation_data();
    void truncation();
};

void GbkTest::byteLength_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::newRow("digits") << "600519" << 6;
    QTest::newRow("Chinese") << "贵州茅台" << 8;
    QTest::newRow("mixed") << "万科Ａ 2" << 8;
    QTest::newRow("full-width space") << "　" << 2;
    QTest::newRow("arrow") << "↑" << 2;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("outside GBK, four bytes in GB18030") << QString::fromUtf8("\xF0\xA0\x80\x80") << 4;
}

void GbkTest::byteLength() {
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QCOMPARE(gbk::byteLength(text), bytes);
}

void GbkTest::roundTrip() {
    const QString text = QStringLiteral("禾岫股价监控 ↑↓ 真假（完）：");
    QCOMPARE(gbk::decode(gbk::encode(text)), text);
    QCOMPARE(gbk::encode(QStringLiteral("中")), QByteArray("\xd6\xd0"));
}

void GbkTest::invalidBytesDecodeToReplacement() {
    const QString text = gbk::decode(QByteArray("A\xff\x80Z"));
    QVERIFY(text.startsWith(u'A'));
    QVERIFY(text.endsWith(u'Z'));
    QVERIFY(text.contains(QChar(QChar::ReplacementCharacter)));
}

void GbkTest::truncation_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fits") << "ab中" << 4 << "ab中";
    QTest::newRow("never half a character") << "ab中" << 3 << "ab";
    QTest::newRow("ASCII cut") << "abcdef" << 4 << "abcd";
    QTest::newRow("zero") << "中" << 0 << "";
}

void GbkTest::truncation() {
    QFETCH(QString, text);
    QFETCH(int, maxBytes);
    QFETCH(QString, expected);
    QCOMPARE(gbk::truncateToBytes(text, maxBytes), expected);
}

QTEST_GUILESS_MAIN(GbkTest)
#include "test_gbk.moc"
