#include "tests/support/quote_sim_process.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

// The command-line tool, run as a user would run it.
class TavrinQuoteToolTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void exitStatuses_data();
    void exitStatuses();
    void returnsWithinTheTimeoutWhenTheServerNeverAnswers();

private:
    int run(const QString& code, QByteArray* output, const QString& baseUrl = {});
    QuoteSimProcess m_sim;
};

void TavrinQuoteToolTest::initTestCase() {
    QVERIFY(m_sim.start());
}

int TavrinQuoteToolTest::run(const QString& code, QByteArray* output, const QString& baseUrl) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TAVRIN_QUOTE_URL"), baseUrl.isEmpty() ? m_sim.baseUrl() : baseUrl);
    process.setProcessEnvironment(env);
    process.start(qEnvironmentVariable("TAVRIN_QUOTE_TOOL"), {code});
    if (!process.waitForFinished(30000))
        return -1;
    // Windows' C runtime writes a text stream's line ends as CR LF.
    *output = process.readAllStandardOutput().replace("\r\n", "\n");
    return process.exitCode();
}

void TavrinQuoteToolTest::exitStatuses_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("firstLine");
    QTest::newRow("fetched") << "none"
                             << "600519" << 0 << QByteArray("code=600519");
    QTest::newRow("5 characters") << "none"
                                  << "60051" << 1 << QByteArray();
    QTest::newRow("no market") << "none"
                               << "900901" << 1 << QByteArray();
    QTest::newRow("empty body") << "empty"
                                << "600519" << 2 << QByteArray();
    QTest::newRow("dropped") << "drop"
                             << "600519" << 2 << QByteArray();
    QTest::newRow("oversized") << "oversized"
                               << "600519" << 2 << QByteArray();
    QTest::newRow("other code") << "other-code"
                                << "600519" << 3 << QByteArray("code=");
    QTest::newRow("more than 999 fields") << "many-fields"
                                          << "600519" << 4 << QByteArray();
}

void TavrinQuoteToolTest::exitStatuses() {
    QFETCH(QString, mode);
    QFETCH(QString, code);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, firstLine);
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/fault?mode=%1").arg(mode)), QByteArray("ok"));
    QByteArray output;
    QCOMPARE(run(code, &output), exitCode);
    m_sim.admin(QStringLiteral("/admin/clear"));
    const QList<QByteArray> lines = output.split('\n');
    QVERIFY(lines.first().startsWith(firstLine));
    if (exitCode == 0) {
        QCOMPARE(lines.size(), 6); // five lines and the final newline
        QCOMPARE(lines.at(1), QString(QStringLiteral("name=贵州茅台")).toUtf8());
        QVERIFY(lines.at(2).startsWith("price=") && lines.at(3).startsWith("change=") &&
                lines.at(4).startsWith("volume="));
    }
    if (exitCode == 3) {
        QVERIFY(lines.first() != "code=600519");
        QCOMPARE(lines.at(1), QByteArray("name="));
    }
}

void TavrinQuoteToolTest::returnsWithinTheTimeoutWhenTheServerNeverAnswers() {
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/fault?mode=hang")), QByteArray("ok"));
    QByteArray output;
    QElapsedTimer timer;
    timer.start();
    const int status = run(QStringLiteral("600519"), &output);
    m_sim.admin(QStringLiteral("/admin/clear"));
    QCOMPARE(status, 2);
    QVERIFY2(timer.elapsed() < 20000, "the request time-out must end the tool");
}

QTEST_GUILESS_MAIN(TavrinQuoteToolTest)
#include "test_tavrin_quote.moc"
