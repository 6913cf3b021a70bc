#include "app/market_views/ticker_label_text.h"
#include "platform/gbk.h"

#include <QTest>

using namespace tavrin;
using namespace Qt::StringLiterals;

namespace {

// A quote statement as the service sends it, with the given latest value and previous close.
QByteArray reply(const QString& latest, const QString& previousClose) {
    const QString statement = u"v_sh000001=\"1~上证指数~000001~"_s + latest + u'~' + previousClose +
                              u"~3027.79~151452245~0~0~\";"_s;
    return gbk::encode(statement);
}

} // namespace

// What a value label shows after a reply, and in which colour.
class TickerLabelTextTest : public QObject {
    Q_OBJECT
private slots:
    void labelText_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("move");
        const int up = int(IndexMove::Up);
        const int down = int(IndexMove::Down);
        const int unchanged = int(IndexMove::Unchanged);
        QTest::newRow("up: 3012.34 on 3000.00")
            << reply(u"3012.34"_s, u"3000.00"_s) << u"3012.34  0.41%↑"_s << up;
        QTest::newRow("down: 2988.00 on 3000.00")
            << reply(u"2988.00"_s, u"3000.00"_s) << u"2988.00  -0.4%↓"_s << down;
        QTest::newRow("unchanged: 3000.00 on 3000.00")
            << reply(u"3000.00"_s, u"3000.00"_s) << u"3000.00"_s << unchanged;
        QTest::newRow("a whole percent") << reply(u"3030.00"_s, u"3000.00"_s) << u"3030.00  1%↑"_s << up;
        QTest::newRow("value kept as received") << reply(u"3012.3"_s, u"3000"_s) << u"3012.3  0.41%↑"_s << up;
        QTest::newRow("within the threshold")
            << reply(u"3000.00000001"_s, u"3000"_s) << u"3000.00000001"_s << unchanged;
        // Held as a float the difference is -199.94999..., as a double -199.95000...: -19.99, not -20.
        QTest::newRow("single-precision difference")
            << reply(u"800.05"_s, u"1000.00"_s) << u"800.05  -19.99%↓"_s << down;
        QTest::newRow("exactly five fields") << QByteArray("0~a~000001~12.5~10") << u"12.5  25%↑"_s << up;
    }
    void labelText() {
        QFETCH(QByteArray, reply);
        QFETCH(QString, text);
        QFETCH(int, move);
        const std::optional<IndexLabelText> label = indexLabelText(reply);
        QVERIFY(label.has_value());
        QCOMPARE(label->text, text);
        QCOMPARE(int(label->move), move);
    }

    void labelUnchanged_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("no match reply") << QByteArray("v_pv_none_match=\"1\";");
        QTest::newRow("four fields") << QByteArray("v_sh000001=\"1~上证指数~000001~3012.34");
        QTest::newRow("four fields and a separator") << QByteArray("1~a~000001~3012.34~");
        QTest::newRow("previous close 0") << reply(u"3012.34"_s, u"0.00"_s);
        QTest::newRow("previous close empty") << reply(u"3012.34"_s, QString());
        QTest::newRow("previous close not a number") << reply(u"3012.34"_s, u"--"_s);
    }
    void labelUnchanged() {
        QFETCH(QByteArray, reply);
        QVERIFY(!indexLabelText(reply).has_value());
    }

    void colours() {
        QCOMPARE(indexLabelColour(IndexMove::Up), QColor(255, 0, 0));
        QCOMPARE(indexLabelColour(IndexMove::Down), QColor(0, 0, 255));
        QVERIFY(!indexLabelColour(IndexMove::Unchanged).has_value());
    }
};

QTEST_GUILESS_MAIN(TickerLabelTextTest)
#include "test_ticker_label_text.moc"
