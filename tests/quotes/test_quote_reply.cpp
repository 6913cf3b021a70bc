#include "platform/gbk.h"
#include "quotes/quote_fetch.h"
#include "quotes/quote_reply.h"

#include <QTest>

using namespace tavrin;

namespace {

QByteArrayList asList(const std::vector<QByteArrayView>& fields) {
    QByteArrayList list;
    for (QByteArrayView field : fields)
        list << field.toByteArray();
    return list;
}

// A reply in the service's layout with the given items and enough filler fields.
QByteArray reply(const QString& name, const QByteArray& code, const QByteArray& price,
                 const QByteArray& close, const QByteArray& volume) {
    QByteArray text = "v_sh" + code + "=\"1~" + gbk::encode(name) + '~' + code + '~' + price + '~' + close +
                      "~1.00~" + volume;
    for (int i = 7; i < 49; ++i)
        text += "~x";
    return text + "~\";\n";
}

} // namespace

class QuoteReplyTest : public QObject {
    Q_OBJECT
private slots:
    void splitting_data();
    void splitting();
    void parsing_data();
    void parsing();
    void fieldLimits_data();
    void fieldLimits();
};

void QuoteReplyTest::splitting_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArrayList>("fields");
    QTest::newRow("empty text has no fields") << QByteArray() << QByteArrayList{};
    QTest::newRow("one field") << QByteArray("abc") << QByteArrayList{"abc"};
    QTest::newRow("empty field keeps numbering") << QByteArray("a~~c") << QByteArrayList{"a", "", "c"};
    QTest::newRow("trailing separator adds nothing") << QByteArray("a~b~") << QByteArrayList{"a", "b"};
    QTest::newRow("separator alone") << QByteArray("~") << QByteArrayList{""};
    QTest::newRow("leading separator") << QByteArray("~a") << QByteArrayList{"", "a"};
    QTest::newRow("ends at zero byte") << QByteArray("a~b\0~c", 6) << QByteArrayList{"a", "b"};
    QTest::newRow("zero byte first") << QByteArray("\0a~b", 4) << QByteArrayList{};
    // 0x81 0x7E is one double-byte character whose trail byte is '~'.
    QTest::newRow("tilde as trail byte")
        << QByteArray("1~\x81\x7e\xc3\xfb~600519") << QByteArrayList{"1", "\x81\x7e\xc3\xfb", "600519"};
    QTest::newRow("lead byte at end") << QByteArray("a~\x81") << QByteArrayList{"a", "\x81"};
    QTest::newRow("four-byte character")
        << QByteArray("a~\x81\x30\x81\x30~b") << QByteArrayList{"a", "\x81\x30\x81\x30", "b"};
}

void QuoteReplyTest::splitting() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArrayList, fields);
    QCOMPARE(asList(splitReplyFields(text)), fields);
}

void QuoteReplyTest::parsing_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("record");
    const auto fetched = static_cast<int>(FetchStatus::Fetched);
    QTest::newRow("rise") << reply("贵州茅台", "600519", "10.00", "9.00", "12345") << fetched
                          << QStringList{"600519", "贵州茅台", "10.00", "11.11", "12345"};
    QTest::newRow("no change") << reply("A", "600519", "9.00", "9.00", "12345.5") << fetched
                               << QStringList{"600519", "A", "9.00", "0", "12346"};
    QTest::newRow("fall") << reply("A", "600519", "8.91", "9", "1") << fetched
                          << QStringList{"600519", "A", "8.91", "-1", "1"};
    QTest::newRow("previous close 0 leaves change empty")
        << reply("新股", "600519", "12.00", "0.00", "0") << fetched
        << QStringList{"600519", "新股", "12.00", "", "0"};
    QTest::newRow("another code sets only the code")
        << reply("万科Ａ", "000002", "10.00", "9.00", "1") << static_cast<int>(FetchStatus::OtherCode)
        << QStringList{"000002", "", "", "", ""};
    QTest::newRow("empty body") << QByteArray() << static_cast<int>(FetchStatus::Unreadable)
                                << QStringList{"", "", "", "", ""};
    QTest::newRow("no match statement")
        << QByteArray("v_pv_none_match=\"1\";\n") << static_cast<int>(FetchStatus::Unreadable)
        << QStringList{"", "", "", "", ""};
    QTest::newRow("too few fields for the quote")
        << QByteArray("v_sh600519=\"1~A~600519~10.00") << static_cast<int>(FetchStatus::Unreadable)
        << QStringList{"", "", "", "", ""};
}

void QuoteReplyTest::parsing() {
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(QStringList, record);
    const QuoteResult result = parseQuoteReply(QStringLiteral("600519"), body);
    QCOMPARE(static_cast<int>(result.status), status);
    const QuoteRecord& r = result.record;
    QCOMPARE((QStringList{r.code, r.name, r.price, r.change, r.volume}), record);
}

void QuoteReplyTest::fieldLimits_data() {
    QTest::addColumn<int>("fieldCount");
    QTest::addColumn<int>("status");
    QTest::newRow("999 fields are a reply") << 999 << static_cast<int>(FetchStatus::Fetched);
    QTest::newRow("1000 fields are garbage") << 1000 << static_cast<int>(FetchStatus::TooManyFields);
}

void QuoteReplyTest::fieldLimits() {
    QFETCH(int, fieldCount);
    QFETCH(int, status);
    QByteArray body = "v_sh600519=\"1~A~600519~10~9~1~100";
    for (int i = 7; i < fieldCount; ++i)
        body += "~0";
    QCOMPARE(static_cast<int>(splitReplyFields(body).size()), fieldCount);
    const QuoteResult result = parseQuoteReply(QStringLiteral("600519"), body);
    QCOMPARE(static_cast<int>(result.status), status);
    if (result.status == FetchStatus::TooManyFields)
        QCOMPARE(result.error, QStringLiteral("对不起，获取股票信息错误，请检查股票代码。"));
}

QTEST_GUILESS_MAIN(QuoteReplyTest)
#include "test_quote_reply.moc"
