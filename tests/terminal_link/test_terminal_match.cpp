#include "app/terminal_link/terminal_match.h"
#include "platform/gbk.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tavrin;
using namespace tavrin::terminal_link;

namespace {

std::string_view view(const QByteArray& bytes) {
    return std::string_view(bytes.constData(), bytes.size());
}

QByteArray padded(qsizetype padding, const QString& text) {
    return QByteArray(padding, 'x') + gbk::encode(text);
}

} // namespace

class TerminalMatchTest : public QObject {
    Q_OBJECT
private slots:
    void matchRules_data();
    void matchRules();
};

void TerminalMatchTest::matchRules_data() {
    QTest::addColumn<bool>("tongdaxin");
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QByteArray>("windowClass");
    QTest::addColumn<bool>("matches");

    const QByteArray tdxClass = "TdxW_MainFrame_Class";
    const QByteArray dzh = gbk::encode(u"大智慧 - 600519 贵州茅台"_s);
    const QByteArray tdx = gbk::encode(u"通达信"_s);

    QTest::newRow("大智慧 title") << false << dzh << QByteArray("DzhMainFrame") << true;
    QTest::newRow("大智慧 inside the title")
        << false << gbk::encode(u"行情 大智慧 - 沪深"_s) << QByteArray() << true;
    QTest::newRow("大智慧 without the blanks")
        << false << gbk::encode(u"大智慧-600519"_s) << QByteArray() << false;
    QTest::newRow("大智慧 alone") << false << gbk::encode(u"大智慧"_s) << QByteArray() << false;
    QTest::newRow("通达信 ignored for 大智慧") << false << tdx << tdxClass << false;
    QTest::newRow("大智慧 ignored for 通达信") << true << dzh << tdxClass << false;
    QTest::newRow("通达信 with its class") << true << tdx << tdxClass << true;
    QTest::newRow("通达信 inside the title")
        << true << gbk::encode(u"通达信金融终端V7.6"_s) << tdxClass << true;
    QTest::newRow("class inside a longer class")
        << true << tdx << QByteArray("Afx:TdxW_MainFrame_Class:1") << true;
    QTest::newRow("通达信 of another class") << true << tdx << QByteArray("TdxW_Other_Class") << false;
    QTest::newRow("class compared case-sensitively")
        << true << tdx << QByteArray("tdxw_mainframe_class") << false;
    QTest::newRow("class without the title") << true << QByteArray("TDX") << tdxClass << false;
    QTest::newRow("title ends at byte 254") << false << padded(245, u"大智慧 - "_s) << QByteArray() << true;
    QTest::newRow("title match past byte 254")
        << false << padded(246, u"大智慧 - "_s) << QByteArray() << false;
    QTest::newRow("class ends at byte 254") << true << tdx << QByteArray(234, 'a') + tdxClass << true;
    QTest::newRow("class match past byte 254") << true << tdx << QByteArray(235, 'a') + tdxClass << false;
    QTest::newRow("title stops at a zero byte")
        << false << QByteArray("abc") + '\0' + gbk::encode(u"大智慧 - "_s) << QByteArray() << false;
    // B0CD A8B4 EFD0 C5A1: four characters whose bytes hold 通达信 off their boundaries.
    QTest::newRow("通达信 across character boundaries")
        << true << QByteArray("\xb0\xcd\xa8\xb4\xef\xd0\xc5\xa1") << tdxClass << false;
    QTest::newRow("empty title") << false << QByteArray() << QByteArray() << false;
}

void TerminalMatchTest::matchRules() {
    QFETCH(bool, tongdaxin);
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, windowClass);
    QFETCH(bool, matches);
    QCOMPARE(isTerminalWindow(terminalFor(tongdaxin), view(title), view(windowClass)), matches);
}

QTEST_GUILESS_MAIN(TerminalMatchTest)
#include "test_terminal_match.moc"
