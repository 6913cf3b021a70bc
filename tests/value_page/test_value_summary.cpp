#include "app/main_window/program_pictures.h"
#include "app/value_page/frame_picture.h"
#include "app/value_page/value_page_address.h"
#include "app/value_page/value_summary.h"
#include "app/widgets/embedded_picture.h"
#include "assets/assets_init.h"
#include "platform/gbk.h"

#include <QFile>
#include <QTest>

using namespace tavrin;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(tavrin::PriceMove)

namespace {

// A quote reply as the service sends it, fields 0..6 and a last one.
QByteArray reply(const char* name, const char* price, const char* previousClose, const char* open) {
    return "v_sh600519=\"1~" + gbk::encode(QString::fromUtf8(name)) + "~600519~" + price + "~" +
           previousClose + "~" + open + "~12345~\";";
}

} // namespace

class ValueSummaryTest : public QObject {
    Q_OBJECT

private slots:
    void summaryOfReply_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("change");
        QTest::addColumn<PriceMove>("move");
        QTest::newRow("rising") << reply("贵州茅台", "1700.00", "1680.00", "1690.00") << u"1700.00↑"_s
                                << u"1.19%"_s << PriceMove::Up;
        QTest::newRow("falling") << reply("贵州茅台", "1650.00", "1680.00", "1690.00") << u"1650.00↓"_s
                                 << u"-1.79%"_s << PriceMove::Down;
        QTest::newRow("unchanged") << reply("贵州茅台", "1680.00", "1680.00", "1690.00") << u"1680.00"_s
                                   << u"0%"_s << PriceMove::Unchanged;
        QTest::newRow("within the threshold") << reply("贵州茅台", "1680.00000005", "1680.00", "1690.00")
                                              << u"1680.00000005"_s << u"0%"_s << PriceMove::Unchanged;
        QTest::newRow("no previous close: no percent")
            << reply("贵州茅台", "12.5", "0", "12.1") << u"12.5↑"_s << QString() << PriceMove::Up;
        // 0.01 held as a float is a little less: 0.12 where doubles would give 0.13.
        QTest::newRow("single-precision difference")
            << reply("贵州茅台", "8.01", "8", "8.00") << u"8.01↑"_s << u"0.12%"_s << PriceMove::Up;
    }

    void summaryOfReply() {
        QFETCH(QByteArray, reply);
        QFETCH(QString, price);
        QFETCH(QString, change);
        QFETCH(PriceMove, move);
        const std::optional<ValueSummary> summary = valueSummary(reply);
        QVERIFY(summary);
        QCOMPARE(summary->name, u"贵州茅台"_s);
        QCOMPARE(summary->price, price);
        QCOMPARE(summary->change, change);
        QCOMPARE(summary->move, move);
    }

    void theOpenAsReceived() {
        QCOMPARE(valueSummary(reply("贵州茅台", "1700.00", "1680.00", "1690.00"))->open, u"1690.00"_s);
    }

    void shortOrEmptyRepliesGiveNothing_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no match") << QByteArray("v_pv_none_match=\"1\";");
        QTest::newRow("five fields") << QByteArray("v_sh600519=\"1~name~600519~10.00~9.00");
        QTest::newRow("cut at a zero byte")
            << QByteArray("v_sh600519=\"1~name~600519\0~10.00~9.00~9.50~1~", 45);
    }

    void shortOrEmptyRepliesGiveNothing() {
        QFETCH(QByteArray, reply);
        QVERIFY(!valueSummary(reply));
    }

    void coloursOfMoves() {
        QCOMPARE(moveColour(PriceMove::Up), QColor(255, 0, 0));
        QCOMPARE(moveColour(PriceMove::Down), QColor(0, 0, 255));
        QVERIFY(!moveColour(PriceMove::Unchanged));
    }

    void requestsOfCodes_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QByteArray>("quote");
        QTest::newRow("000001 is the Shanghai index") << u"000001"_s << QByteArray("http://h/q=sh000001");
        QTest::newRow("399001 Shenzhen") << u"399001"_s << QByteArray("http://h/q=sz399001");
        QTest::newRow("6: Shanghai") << u"600519"_s << QByteArray("http://h/q=sh600519");
        QTest::newRow("0: Shenzhen") << u"002202"_s << QByteArray("http://h/q=sz002202");
        QTest::newRow("3: Shenzhen") << u"301072"_s << QByteArray("http://h/q=sz301072");
        QTest::newRow("no length check") << u"60051"_s << QByteArray("http://h/q=sh60051");
        QTest::newRow("B share") << u"200002"_s << QByteArray();
        QTest::newRow("Shanghai B share") << u"900901"_s << QByteArray();
        QTest::newRow("Beijing") << u"830799"_s << QByteArray();
        QTest::newRow("empty") << QString() << QByteArray();
    }

    void requestsOfCodes() {
        QFETCH(QString, code);
        QFETCH(QByteArray, quote);
        QCOMPARE(valueQuoteUrl(u"http://h/"_s, code), quote);
    }

    void pageAddressKeepsTheCodeAsTyped_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("address");
        QTest::newRow("000001") << u"000001"_s << u"http://h:9/quote/tools/ggtj_z.aspx?StockCode=000001"_s;
        QTest::newRow("short") << u"60051"_s << u"http://h:9/quote/tools/ggtj_z.aspx?StockCode=60051"_s;
        QTest::newRow("query characters encoded")
            << u"6&x=1"_s << u"http://h:9/quote/tools/ggtj_z.aspx?StockCode=6%26x%3D1"_s;
    }

    void pageAddressKeepsTheCodeAsTyped() {
        QFETCH(QString, code);
        QFETCH(QString, address);
        QCOMPARE(valuePageUrl(u"http://h:9"_s, code).toString(QUrl::FullyEncoded), address);
    }

    void frameIsA24BitPictureOfItsDesignedSize() {
        initAssets();
        QFile file(QString::fromUtf8(valuePageFramePicture));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray png = file.readAll();
        // IHDR: width, height, bit depth 8, colour type 2 (RGB, no alpha).
        QCOMPARE(png.mid(16, 8), QByteArray::fromHex("0000035900000178"));
        QCOMPARE(png.mid(24, 2), QByteArray::fromHex("0802"));
    }

    void frameCoversThePictureBox() {
        const QImage frame = embeddedPicture(QString::fromUtf8(valuePageFramePicture));
        QCOMPARE(frame.size(), QSize(857, 376));
        const QImage fitted = fitFramePicture(frame, {777, 381});
        QCOMPARE(fitted.size(), QSize(777, 381));
        // Caption bar across the top, the summary column down the left, white behind the browser.
        const auto blueish = [](QColor c) { return c.blue() > c.red() + 24; };
        QVERIFY(blueish(fitted.pixelColor(400, 10)));
        QVERIFY(blueish(fitted.pixelColor(50, 378)));
        QCOMPARE(fitted.pixelColor(776, 380), QColor(Qt::white));
        QCOMPARE(fitted.pixelColor(120, 40), QColor(Qt::white));
    }
};

QTEST_GUILESS_MAIN(ValueSummaryTest)
#include "test_value_summary.moc"
