#include "app/market_views/minute_chart.h"
#include "app/market_views/quote_window_catalogue.h"
#include "app/market_views/quote_window_command.h"
#include "app/market_views/quote_window_flash.h"
#include "app/market_views/quote_window_reply.h"
#include "app/market_views/quote_window_request.h"
#include "platform/gbk.h"

#include <QTest>

using namespace tavrin;
using namespace Qt::StringLiterals;

namespace {

// A reply in the service's layout with fieldCount fields (the closing quote is the
// last), the ones the window reads set.
QByteArray reply(const QByteArray& price, const QByteArray& previousClose, int fieldCount = 50) {
    QByteArrayList fields(fieldCount - 1, "x");
    fields[0] = "v_sh600519=\"1";
    if (fields.size() > 34) {
        fields[1] = gbk::encode(u"贵州茅台");
        fields[2] = "600519";
        fields[3] = price;
        fields[4] = previousClose;
        fields[5] = "10.01";
        fields[30] = "20240105150003";
        fields[33] = "10.66";
        fields[34] = "10.02";
    }
    return fields.join('~') + "~\";\n";
}

// A 1 x 1 GIF89a whose one pixel has the colour given.
QByteArray gifOf(QColor colour) {
    QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
    gif += char(colour.red());
    gif += char(colour.green());
    gif += char(colour.blue());
    // The second palette entry, the image descriptor, the pixel data and the trailer.
    static constexpr char rest[] = "\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;";
    gif += QByteArray(rest, sizeof rest - 1);
    return gif;
}

} // namespace

class QuoteWindowLogicTest : public QObject {
    Q_OBJECT
private slots:
    void requests_data();
    void requests();
    void labels_data();
    void labels();
    void unreadableReplies_data();
    void unreadableReplies();
    void chartReplacedOnlyOnChangedBytes();
    void chartFitsTheCanvas_data();
    void chartFitsTheCanvas();
    void openingMakesRoomWithinBounds_data();
    void openingMakesRoomWithinBounds();
    void flashBlinksTwiceAndEndsOnTheDirection();
};

void QuoteWindowLogicTest::requests_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QByteArray>("quoteUrl");
    QTest::addColumn<QByteArray>("chartUrl");
    QTest::addColumn<bool>("marketKnown");
    const auto row = [](const char* code, const char* key, bool known) {
        QTest::newRow(code) << QString::fromLatin1(code) << QByteArray("http://q/q=") + key
                            << QByteArray("http://c/newchart/min/n/") + key + ".gif" << known;
    };
    row("600519", "sh600519", true);
    row("000001", "sh000001", true);
    row("399001", "sz399001", true);
    row("000002", "sz000002", true);
    row("300750", "sz300750", true);
    row("204001", "sh204001", true);
    row("159915", "sz159915", true);
    row("900901", "900901", false);
    row("830799", "830799", false);
    // A code the program put into the box goes out percent-encoded.
    QTest::newRow("space") << u" 60051"_s << QByteArray("http://q/q=%2060051")
                           << QByteArray("http://c/newchart/min/n/%2060051.gif") << false;
}

void QuoteWindowLogicTest::requests() {
    QFETCH(QString, code);
    const QuoteWindowRequest request = quoteWindowRequest(code, u"http://q/"_s, u"http://c"_s);
    QTEST(request.quoteUrl, "quoteUrl");
    QTEST(request.chartUrl, "chartUrl");
    QTEST(request.marketKnown(), "marketKnown");
}

void QuoteWindowLogicTest::labels_data() {
    QTest::addColumn<QByteArray>("price");
    QTest::addColumn<QByteArray>("previousClose");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("changePercent");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("up") << QByteArray("10.50") << QByteArray("10.23") << u"0.27"_s << u"2.64"_s << quoteRed;
    QTest::newRow("unchanged") << QByteArray("10.23") << QByteArray("10.23") << u"0"_s << u"0"_s << quoteRed;
    QTest::newRow("down") << QByteArray("9.90") << QByteArray("10.00") << u"-0.1"_s << u"-1"_s << quoteGreen;
    QTest::newRow("within threshold")
        << QByteArray("10.00") << QByteArray("10.00000005") << u"-5.00000005843e-08"_s << u"0"_s << quoteRed;
    QTest::newRow("no previous close")
        << QByteArray("10.50") << QByteArray("0") << u"10.5"_s << QString() << quoteRed;
}

void QuoteWindowLogicTest::labels() {
    QFETCH(QByteArray, price);
    QFETCH(QByteArray, previousClose);
    const QuoteWindowReading reading = readQuoteWindowReply(reply(price, previousClose));
    QCOMPARE(reading.status, QuoteWindowReplyStatus::Shown);
    const QuoteWindowDisplay& shown = reading.display;
    QTEST(shown.change, "change");
    QTEST(shown.changePercent, "changePercent");
    QTEST(shown.directionColour, "colour");
    QCOMPARE(shown.name, u"贵州茅台"_s);
    QCOMPARE(shown.price, QString::fromLatin1(price));
    QCOMPARE(shown.previousClose, u"昨收盘: "_s + QString::fromLatin1(previousClose));
    QCOMPARE(shown.open, u"今开盘: 10.01"_s);
    QCOMPARE(shown.high, u"最高价: 10.66"_s);
    QCOMPARE(shown.low, u"最低价: 10.02"_s);
    QCOMPARE(shown.date, u"2024年01月05日"_s);
}

void QuoteWindowLogicTest::unreadableReplies_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QuoteWindowReplyStatus>("status");
    QTest::newRow("empty") << QByteArray() << QuoteWindowReplyStatus::Empty;
    QTest::newRow("zero byte first") << QByteArray("\0~a~b", 5) << QuoteWindowReplyStatus::Empty;
    QTest::newRow("no match") << QByteArray("v_pv_none_match=\"1\";\n") << QuoteWindowReplyStatus::Unreadable;
    QTest::newRow("34 fields") << reply("1", "1", 34) << QuoteWindowReplyStatus::Unreadable;
    QTest::newRow("35 fields") << reply("1", "1", 35) << QuoteWindowReplyStatus::Shown;
    QTest::newRow("999 fields") << reply("1", "1", 999) << QuoteWindowReplyStatus::Shown;
    QTest::newRow("1000 fields") << reply("1", "1", 1000) << QuoteWindowReplyStatus::Unreadable;
}

void QuoteWindowLogicTest::unreadableReplies() {
    QFETCH(QByteArray, body);
    QTEST(readQuoteWindowReply(body).status, "status");
}

void QuoteWindowLogicTest::chartReplacedOnlyOnChangedBytes() {
    MinuteChart chart;
    QVERIFY(!chart.offer({}));
    const QByteArray red = gifOf(Qt::red);
    QVERIFY(chart.offer(red));
    QCOMPARE(chart.picture().size(), QSize(1, 1));
    QCOMPARE(chart.picture().pixelColor(0, 0), QColor(Qt::red));
    const qint64 key = chart.picture().cacheKey();
    QVERIFY(!chart.offer(QByteArray(red)));
    QCOMPARE(chart.picture().cacheKey(), key);

    const QByteArray blue = gifOf(Qt::blue);
    QCOMPARE(blue.size(), red.size()); // same length, other content
    QVERIFY(chart.offer(blue));
    QCOMPARE(chart.picture().pixelColor(0, 0), QColor(Qt::blue));

    // A failed fetch clears the chart; bytes that are no picture show none.
    QVERIFY(chart.offer({}));
    QVERIFY(chart.picture().isNull());
    QVERIFY(chart.offer("<html>not found</html>"));
    QVERIFY(chart.picture().isNull());
}

void QuoteWindowLogicTest::chartFitsTheCanvas_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("placed");
    QTest::newRow("service size") << QSize(545, 300) << QRect(4, 0, 552, 304);
    QTest::newRow("wide") << QSize(1120, 304) << QRect(0, 76, 560, 152);
    QTest::newRow("tall") << QSize(100, 608) << QRect(255, 0, 50, 304);
    QTest::newRow("none") << QSize() << QRect();
}

void QuoteWindowLogicTest::chartFitsTheCanvas() {
    QFETCH(QSize, picture);
    QTEST(fittedChartRect(picture, {560, 304}), "placed");
}

void QuoteWindowLogicTest::openingMakesRoomWithinBounds_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("availableLeft");
    QTest::addColumn<int>("newLeft");
    QTest::newRow("room to spare") << 500 << 0 << 330;
    QTest::newRow("design position") << 50 << 0 << 0;
    QTest::newRow("at the edge") << 0 << 0 << 0;
    QTest::newRow("second screen") << 2000 << 1920 << 1920;
    // A window the user dragged past the edge is not pulled back right.
    QTest::newRow("past the edge") << -40 << 0 << -40;
}

void QuoteWindowLogicTest::openingMakesRoomWithinBounds() {
    QFETCH(int, left);
    QFETCH(int, availableLeft);
    QTEST(quote_window_opening::leftAfterOpening(left, availableLeft), "newLeft");
    QCOMPARE(quote_window_opening::heightAfterOpening(219, true), 267);
    QCOMPARE(quote_window_opening::heightAfterOpening(267, false), 267);
}

void QuoteWindowLogicTest::flashBlinksTwiceAndEndsOnTheDirection() {
    std::vector<QRgb> painted;
    PriceFlash flash([&painted](QRgb colour) { painted.push_back(colour); });
    flash.start(quoteGreen);
    QCOMPARE(painted, std::vector<QRgb>{quoteWhite});
    QVERIFY(flash.isRunning());
    QTRY_VERIFY(!flash.isRunning());
    QCOMPARE(painted, (std::vector<QRgb>{quoteWhite, quoteGreen, quoteWhite, quoteGreen}));
}

QTEST_MAIN(QuoteWindowLogicTest)
#include "test_quote_window_logic.moc"
