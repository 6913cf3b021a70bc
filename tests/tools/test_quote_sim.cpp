#include "tests/support/quote_sim_process.h"

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>

namespace {

struct RawReply {
    bool answered = false; // an HTTP status line arrived
    int status = 0;
    QByteArray body;
};

// One HTTP/1.0 GET on a plain socket, so that a dropped or hanging
// connection is seen as it is.
RawReply rawGet(const QString& baseUrl, const QByteArray& pathAndQuery, int timeoutMs = 5000) {
    RawReply reply;
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(QUrl(baseUrl).port()));
    if (!socket.waitForConnected(3000))
        return reply;
    socket.write("GET " + pathAndQuery + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray bytes;
    QElapsedTimer timer;
    timer.start();
    while (socket.state() == QAbstractSocket::ConnectedState && timer.elapsed() < timeoutMs) {
        socket.waitForReadyRead(100);
        bytes += socket.readAll();
    }
    bytes += socket.readAll();
    const qsizetype bodyStart = bytes.indexOf("\r\n\r\n");
    if (!bytes.startsWith("HTTP/") || bodyStart < 0)
        return reply;
    reply.answered = true;
    reply.status = bytes.mid(9, 3).toInt();
    reply.body = bytes.mid(bodyStart + 4);
    return reply;
}

// The fields between `="` and `";` of one statement, cut at '~' only at GBK
// character boundaries; a trailing empty piece is not a field.
QList<QByteArray> fieldsOf(const QByteArray& statement) {
    const qsizetype open = statement.indexOf("=\"");
    const qsizetype close = statement.lastIndexOf("\";");
    QList<QByteArray> fields;
    if (open < 0 || close < open)
        return fields;
    const QByteArray content = statement.mid(open + 2, close - open - 2);
    QByteArray field;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const auto byte = static_cast<unsigned char>(content[i]);
        if (byte >= 0x81 && byte <= 0xFE && i + 1 < content.size()) {
            field += content.mid(i, 2);
            ++i;
        } else if (byte == '~') {
            fields.append(field);
            field.clear();
        } else {
            field += content[i];
        }
    }
    if (!field.isEmpty())
        fields.append(field);
    return fields;
}

QList<QByteArray> statementsOf(const QByteArray& body) {
    QList<QByteArray> lines = body.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

const QByteArray tildeNameGbk("\xE3\x7E\xC1\xEA\xD3\xD0\xC9\xAB"); // 銅陵有色

} // namespace

class TestQuoteSim : public QObject {
    Q_OBJECT

private slots:
    void faultShapesReply_data();
    void faultShapesReply();
    void hangHoldsRequestUntilShutdown();
    void batchAnswersInRequestOrder();
    void batchAppliesFaultsPerCode();
    void manifestCarriesMarkers_data();
    void manifestCarriesMarkers();
    void pinnedPriceStaysPut();
    void sameSeedGivesSamePrices();
    void minuteChartIsGif();
    void valuePageNamesStock();
};

void TestQuoteSim::faultShapesReply_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<int>("fieldCount"); // -1: not checked
    QTest::addColumn<QByteArray>("field1Start");
    QTest::addColumn<QByteArray>("field2");
    QTest::addColumn<int>("bodySize"); // -1: not checked

    const QByteArray name = QByteArray("\xB9\xF3\xD6\xDD\xC3\xA9\xCC\xA8"); // 贵州茅台
    QTest::newRow("none") << "none" << true << 88 << name << QByteArray("600519") << -1;
    QTest::newRow("latency") << "latency" << true << 88 << name << QByteArray("600519") << -1;
    QTest::newRow("random-latency") << "random-latency" << true << 88 << name << QByteArray("600519") << -1;
    QTest::newRow("few-fields") << "few-fields" << true << 4 << name << QByteArray("600519") << -1;
    QTest::newRow("many-fields") << "many-fields" << true << 1200 << name << QByteArray("600519") << -1;
    QTest::newRow("other-code") << "other-code" << true << 88 << name << QByteArray("000002") << -1;
    QTest::newRow("tilde-name") << "tilde-name" << true << 88 << tildeNameGbk << QByteArray("600519") << -1;
    QTest::newRow("bad-gbk") << "bad-gbk" << true << 88 << QByteArray("\xFF\x80") << QByteArray("600519")
                             << -1;
    QTest::newRow("oversized") << "oversized" << true << -1 << name << QByteArray("600519")
                               << 2 * 1024 * 1024;
    QTest::newRow("empty") << "empty" << true << -1 << QByteArray() << QByteArray() << 0;
    QTest::newRow("drop") << "drop" << false << -1 << QByteArray() << QByteArray() << -1;
}

void TestQuoteSim::faultShapesReply() {
    QFETCH(QString, mode);
    QFETCH(bool, answered);
    QFETCH(int, fieldCount);
    QFETCH(QByteArray, field1Start);
    QFETCH(QByteArray, field2);
    QFETCH(int, bodySize);

    QuoteSimProcess sim({QStringLiteral("--step-ms"), QStringLiteral("0")});
    QVERIFY2(sim.start(), "quote-sim did not start");
    QCOMPARE(sim.admin(QStringLiteral("/admin/fault?mode=%1&code=600519&ms=5").arg(mode)), QByteArray("ok"));

    const RawReply reply = rawGet(sim.baseUrl(), "/q=sh600519");
    QCOMPARE(reply.answered, answered);
    if (!answered)
        return;
    QCOMPARE(reply.status, 200);
    if (bodySize >= 0)
        QCOMPARE(reply.body.size(), bodySize);
    if (bodySize == 0)
        return;
    QVERIFY(reply.body.startsWith("v_sh600519=\"1~"));
    const QList<QByteArray> fields = fieldsOf(statementsOf(reply.body).value(0));
    if (fieldCount >= 0)
        QCOMPARE(fields.size(), fieldCount);
    QVERIFY(fields.value(1).startsWith(field1Start));
    QCOMPARE(fields.value(2), field2);

    // The fault is the code's own: another code answers normally.
    QCOMPARE(fieldsOf(rawGet(sim.baseUrl(), "/q=sz000002").body).value(2), QByteArray("000002"));
}

void TestQuoteSim::hangHoldsRequestUntilShutdown() {
    const QString program = qEnvironmentVariable("TAVRIN_QUOTE_SIM");
    QVERIFY(!program.isEmpty());
    QProcess process;
    process.start(program, {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--fault"),
                            QStringLiteral("hang@600519")});
    QVERIFY(process.waitForReadyRead(10000));
    const QString baseUrl = QString::fromLatin1(process.readLine().trimmed());
    QVERIFY(baseUrl.startsWith(QLatin1String("http://127.0.0.1:")));

    QVERIFY(!rawGet(baseUrl, "/q=sh600519", 500).answered);
    QVERIFY(rawGet(baseUrl, "/q=sz000002").answered);

    QTcpSocket pending;
    pending.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(QUrl(baseUrl).port()));
    QVERIFY(pending.waitForConnected(3000));
    pending.write("GET /q=sh600519 HTTP/1.0\r\n\r\n");
    QVERIFY(pending.waitForBytesWritten(3000));
    QTest::qWait(200);

    process.terminate();
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    pending.waitForReadyRead(1000);
    QVERIFY(!pending.readAll().startsWith("HTTP/"));
}

void TestQuoteSim::batchAnswersInRequestOrder() {
    QuoteSimProcess sim({QStringLiteral("--step-ms"), QStringLiteral("0")});
    QVERIFY2(sim.start(), "quote-sim did not start");
    QCOMPARE(sim.admin(QStringLiteral("/admin/stats/reset")), QByteArray("ok"));

    const RawReply reply =
        rawGet(sim.baseUrl(), "/q=sz000002,sh600519,sz600519,sh000001,sz000001,900901,bj830799");
    QVERIFY(reply.answered);
    const QList<QByteArray> lines = statementsOf(reply.body);
    QCOMPARE(lines.size(), 7);
    QVERIFY(lines[0].startsWith("v_sz000002=\"51~"));
    QVERIFY(lines[1].startsWith("v_sh600519=\"1~"));
    QCOMPARE(lines[2], QByteArray("v_pv_none_match=\"1\";"));
    QCOMPARE(fieldsOf(lines[3]).value(1), QByteArray("\xC9\xCF\xD6\xA4\xD6\xB8\xCA\xFD")); // 上证指数
    QCOMPARE(fieldsOf(lines[4]).value(1), QByteArray("\xC6\xBD\xB0\xB2\xD2\xF8\xD0\xD0")); // 平安银行
    QCOMPARE(lines[5], QByteArray("v_pv_none_match=\"1\";"));
    QCOMPARE(fieldsOf(lines[6]).value(2), QByteArray("830799"));

    QCOMPARE(fieldsOf(rawGet(sim.baseUrl(), "/q=sz000630").body).value(1), tildeNameGbk);
    QCOMPARE(sim.admin(QStringLiteral("/admin/stats")),
             QByteArray("requests=2\nquote_requests=2\nquote_codes=8\n"));
}

void TestQuoteSim::batchAppliesFaultsPerCode() {
    QuoteSimProcess sim({QStringLiteral("--step-ms"), QStringLiteral("0")});
    QVERIFY2(sim.start(), "quote-sim did not start");
    QCOMPARE(sim.admin(QStringLiteral("/admin/fault?mode=few-fields&code=600519")), QByteArray("ok"));
    QCOMPARE(sim.admin(QStringLiteral("/admin/fault?mode=other-code&code=sz000001")), QByteArray("ok"));

    QList<QByteArray> lines = statementsOf(rawGet(sim.baseUrl(), "/q=sh000001,sh600519,sz000001").body);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(fieldsOf(lines[0]).value(2), QByteArray("000001"));
    QCOMPARE(fieldsOf(lines[1]).size(), 4);
    QCOMPARE(fieldsOf(lines[2]).value(2), QByteArray("000002"));

    QCOMPARE(sim.admin(QStringLiteral("/admin/fault?mode=empty&code=000002")), QByteArray("ok"));
    const RawReply empty = rawGet(sim.baseUrl(), "/q=sh600519,sz000002");
    QVERIFY(empty.answered);
    QVERIFY(empty.body.isEmpty());

    QCOMPARE(sim.admin(QStringLiteral("/admin/clear")), QByteArray("ok"));
    lines = statementsOf(rawGet(sim.baseUrl(), "/q=sh600519,sz000002").body);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(fieldsOf(lines[0]).size(), 88);
}

void TestQuoteSim::manifestCarriesMarkers_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("adminCall");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("forced");

    QTest::newRow("default") << QStringList{} << QString() << "2.43" << QStringLiteral("否");
    QTest::newRow("command line") << QStringList{QStringLiteral("--update-version"), QStringLiteral("2.50"),
                                                 QStringLiteral("--update-forced")}
                                  << QString() << "2.50" << QStringLiteral("是");
    QTest::newRow("admin") << QStringList{} << "/admin/version?v=2.40&forced=1"
                           << "2.40" << QStringLiteral("是");
}

void TestQuoteSim::manifestCarriesMarkers() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, adminCall);
    QFETCH(QString, version);
    QFETCH(QString, forced);

    QuoteSimProcess sim(arguments);
    QVERIFY2(sim.start(), "quote-sim did not start");
    if (!adminCall.isEmpty())
        QCOMPARE(sim.admin(adminCall), QByteArray("ok"));

    for (const QByteArray& path : {QByteArray("/CXGX/%E5%8D%87%E7%BA%A7%E7%9B%AE%E5%BD%95.txt"),
                                   QStringLiteral("/CXGX/升级目录.txt").toUtf8()}) {
        const RawReply reply = rawGet(sim.baseUrl(), path);
        QVERIFY(reply.answered);
        QCOMPARE(reply.status, 200);
        const QString text = QString::fromUtf8(reply.body);
        QVERIFY2(text.contains(QStringLiteral("最新版本2：V") + version + QStringLiteral("版 ")),
                 qPrintable(text));
        const qsizetype summary = text.indexOf(QStringLiteral("更新摘要2："));
        QVERIFY(summary >= 0);
        QVERIFY(text.indexOf(QStringLiteral("（完）"), summary) > summary);
        QVERIFY(text.contains(QStringLiteral("地址链接2：") + sim.baseUrl() +
                              QStringLiteral("/download（更新版本）")));
        QVERIFY(text.contains(QStringLiteral("是否强制更新：") + forced + QStringLiteral("（重要更新）")));
    }
}

void TestQuoteSim::pinnedPriceStaysPut() {
    QuoteSimProcess sim({QStringLiteral("--step-ms"), QStringLiteral("0")});
    QVERIFY2(sim.start(), "quote-sim did not start");
    QCOMPARE(sim.admin(QStringLiteral("/admin/price?code=600519&price=10.00&prev=9.00")), QByteArray("ok"));
    QCOMPARE(sim.admin(QStringLiteral("/admin/price?code=sh000001&price=3100.00")), QByteArray("ok"));
    QCOMPARE(sim.admin(QStringLiteral("/admin/price?code=123456&price=1.00")), QByteArray("unknown code\n"));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(sim.admin(QStringLiteral("/admin/step")), QByteArray("ok"));

    const QList<QByteArray> lines = statementsOf(rawGet(sim.baseUrl(), "/q=sh600519,sh000001,sz000001").body);
    QCOMPARE(lines.size(), 3);
    const QList<QByteArray> fields = fieldsOf(lines[0]);
    QCOMPARE(fields.value(3), QByteArray("10.00"));
    QCOMPARE(fields.value(4), QByteArray("9.00"));
    QCOMPARE(fields.value(32), QByteArray("11.11"));
    QCOMPARE(fieldsOf(lines[1]).value(3), QByteArray("3100.00"));
    // The prefixed pin leaves the bank of the same code alone.
    QVERIFY(fieldsOf(lines[2]).value(3) != QByteArray("3100.00"));
    QCOMPARE(sim.admin(QStringLiteral("/admin/price?code=600519")), QByteArray("10.00"));
    QCOMPARE(sim.admin(QStringLiteral("/admin/unpin?code=600519")), QByteArray("ok"));
    QCOMPARE(fieldsOf(rawGet(sim.baseUrl(), "/q=sh600519").body).value(4), QByteArray("1680.00"));
}

void TestQuoteSim::sameSeedGivesSamePrices() {
    const QStringList common{QStringLiteral("--step-ms"), QStringLiteral("0"), QStringLiteral("--seed")};
    QuoteSimProcess first(common + QStringList{QStringLiteral("7")});
    QuoteSimProcess second(common + QStringList{QStringLiteral("7")});
    QuoteSimProcess other(common + QStringList{QStringLiteral("8")});
    QVERIFY(first.start() && second.start() && other.start());
    QCOMPARE(first.admin(QStringLiteral("/admin/step")), QByteArray("ok"));
    QCOMPARE(second.admin(QStringLiteral("/admin/step")), QByteArray("ok"));

    const QByteArray batch = "/q=sh600519,sz000001,sz300750,bj830799,sh000001";
    const auto pricesOf = [&](QuoteSimProcess& sim) {
        QList<QByteArray> prices;
        for (const QByteArray& line : statementsOf(rawGet(sim.baseUrl(), batch).body)) {
            const QList<QByteArray> fields = fieldsOf(line);
            prices << fields.value(3) + '/' + fields.value(5) + '/' + fields.value(6);
        }
        return prices;
    };
    const QList<QByteArray> firstPrices = pricesOf(first);
    QCOMPARE(firstPrices.size(), 5);
    QCOMPARE(pricesOf(second), firstPrices);
    QVERIFY(pricesOf(other) != firstPrices);
}

void TestQuoteSim::minuteChartIsGif() {
    QuoteSimProcess sim({QStringLiteral("--step-ms"), QStringLiteral("0")});
    QVERIFY2(sim.start(), "quote-sim did not start");
    for (const QByteArray& key : {QByteArray("sh600519"), QByteArray("900901")}) {
        const RawReply reply = rawGet(sim.baseUrl(), "/newchart/min/n/" + key + ".gif");
        QVERIFY(reply.answered);
        QVERIFY(reply.body.startsWith("GIF89a"));
        const QImage image = QImage::fromData(reply.body, "GIF");
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), QSize(545, 300));
    }
}

void TestQuoteSim::valuePageNamesStock() {
    QuoteSimProcess sim({QStringLiteral("--step-ms"), QStringLiteral("0")});
    QVERIFY2(sim.start(), "quote-sim did not start");
    const RawReply reply = rawGet(sim.baseUrl(), "/quote/tools/ggtj_z.aspx?StockCode=002202");
    QVERIFY(reply.answered);
    const QString html = QString::fromUtf8(reply.body);
    QVERIFY(html.contains(QStringLiteral("<title>投资价值 002202</title>")));
    QVERIFY(html.contains(QStringLiteral("金风科技")));
}

QTEST_MAIN(TestQuoteSim)
#include "test_quote_sim.moc"
