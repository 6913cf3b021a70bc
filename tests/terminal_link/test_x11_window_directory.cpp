#include "app/terminal_link/code_hand_off.h"
#include "app/terminal_link/x11_window_directory.h"
#include "platform/gbk.h"
#include "x_test_display.h"
#include "xvfb_server.h"

#include <QProcess>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;
using namespace tavrin;
using namespace tavrin::terminal_link;

namespace {

QByteArray utf8(const QString& text) {
    return text.toUtf8();
}

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

Q_DECLARE_METATYPE(HandOff::Outcome)

// Real X windows on an Xvfb of the test's own: the test's connection makes them,
// the backend finds them over a second connection, as it would find a terminal.
class X11WindowDirectoryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void titles_data();
    void titles();
    void classes_data();
    void classes();
    void handOff_data();
    void handOff();
    void vanishedWindowsAreHarmless();
    void noDisplayFindsNoTerminal();
    void anotherProcessReceivesTheCode();

private:
    unsigned long window(const QString& title, const QByteArray& windowClass);

    XvfbServer m_server;
    QByteArray m_displayName;
    std::unique_ptr<XTestDisplay> m_x;
    QList<unsigned long> m_windows;
};

void X11WindowDirectoryTest::initTestCase() {
    if (!XvfbServer::isInstalled())
        QSKIP("Xvfb is not installed");
    m_displayName = m_server.start();
    QVERIFY2(!m_displayName.isEmpty(), "Xvfb did not start");
    m_x = std::make_unique<XTestDisplay>(m_displayName);
    QVERIFY(m_x->isOpen());
}

void X11WindowDirectoryTest::cleanup() {
    for (const unsigned long w : std::as_const(m_windows))
        m_x->destroyWindow(w);
    m_windows.clear();
    m_x->removeClientLists();
    m_x->takeClientMessages();
}

// A window titled through _NET_WM_NAME, of WM_CLASS ("terminal", windowClass).
unsigned long X11WindowDirectoryTest::window(const QString& title, const QByteArray& windowClass) {
    const unsigned long w = m_x->createWindow();
    m_windows.append(w);
    m_x->setText(w, "_NET_WM_NAME", "UTF8_STRING", utf8(title));
    if (!windowClass.isNull())
        m_x->setText(w, "WM_CLASS", "STRING", QByteArray("terminal") + '\0' + windowClass + '\0');
    return w;
}

void X11WindowDirectoryTest::titles_data() {
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("gbk");

    const QString dzh = u"大智慧 - 贵州茅台"_s;
    QTest::newRow("_NET_WM_NAME in UTF-8")
        << QByteArray("_NET_WM_NAME") << QByteArray("UTF8_STRING") << utf8(dzh) << gbk::encode(dzh);
    QTest::newRow("WM_NAME in UTF-8") << QByteArray("WM_NAME") << QByteArray("UTF8_STRING")
                                      << utf8(u"通达信"_s) << gbk::encode(u"通达信"_s);
    QTest::newRow("WM_NAME in Latin-1")
        << QByteArray("WM_NAME") << QByteArray("STRING") << QByteArray("Caf\xe9") << gbk::encode(u"Café"_s);
    QTest::newRow("WM_NAME as compound text") << QByteArray("WM_NAME") << QByteArray("COMPOUND_TEXT")
                                              << utf8(u"通达信 Café"_s) << gbk::encode(u"通达信 Café"_s);
    QTest::newRow("a character GBK lacks")
        << QByteArray("_NET_WM_NAME") << QByteArray("UTF8_STRING") << utf8(u"a😀b"_s) << QByteArray("a?b");
    QTest::newRow("bytes that are not UTF-8") << QByteArray("_NET_WM_NAME") << QByteArray("UTF8_STRING")
                                              << QByteArray("a\xff b\xe5") << QByteArray("a? b?");
    QTest::newRow("a long title stops at whole characters")
        << QByteArray("_NET_WM_NAME") << QByteArray("UTF8_STRING") << utf8(QString(1000, u'大'))
        << gbk::encode(QString(128, u'大'));
    QTest::newRow("no title") << QByteArray() << QByteArray() << QByteArray() << QByteArray();
}

void X11WindowDirectoryTest::titles() {
    QFETCH(QByteArray, property);
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, gbk);

    const unsigned long w = m_x->createWindow();
    m_windows.append(w);
    if (type == "COMPOUND_TEXT")
        m_x->setCompoundText(w, property.constData(), value);
    else if (!property.isEmpty())
        m_x->setText(w, property.constData(), type.constData(), value);

    X11WindowDirectory directory(m_displayName.constData());
    QCOMPARE(bytesOf(directory.windowTitle(w)), gbk);
}

void X11WindowDirectoryTest::classes_data() {
    QTest::addColumn<QByteArray>("wmClass");
    QTest::addColumn<QByteArray>("windowClass");
    QTest::newRow("the class part") << QByteArray("tdxw\0TdxW_MainFrame_Class\0", 26)
                                    << QByteArray("TdxW_MainFrame_Class");
    QTest::newRow("not the instance part")
        << QByteArray("TdxW_MainFrame_Class\0Tdxw\0", 26) << QByteArray("Tdxw");
    QTest::newRow("instance only") << QByteArray("TdxW_MainFrame_Class") << QByteArray();
    QTest::newRow("no WM_CLASS") << QByteArray() << QByteArray();
}

void X11WindowDirectoryTest::classes() {
    QFETCH(QByteArray, wmClass);
    QFETCH(QByteArray, windowClass);
    const unsigned long w = m_x->createWindow();
    m_windows.append(w);
    if (!wmClass.isEmpty())
        m_x->setText(w, "WM_CLASS", "STRING", wmClass);
    X11WindowDirectory directory(m_displayName.constData());
    QCOMPARE(bytesOf(directory.windowClass(w)), windowClass);
}

void X11WindowDirectoryTest::handOff_data() {
    QTest::addColumn<QStringList>("windows"); // "title|class", in the order they are made
    // What a window manager publishes, as indexes into windows; empty: no such list.
    QTest::addColumn<QList<int>>("clientList");
    QTest::addColumn<QList<int>>("stacking"); // bottom first
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<bool>("tongdaxin");
    QTest::addColumn<HandOff::Outcome>("outcome");
    QTest::addColumn<int>("receiver");
    QTest::addColumn<int>("number");

    using O = HandOff::Outcome;
    const QList<int> none;
    const QString dzh = u"大智慧 - 贵州茅台|DzhMainFrame"_s;
    const QStringList three{u"大智慧 - 甲|A"_s, u"大智慧 - 乙|B"_s, u"大智慧 - 丙|C"_s};
    QTest::newRow("大智慧 receives 600519") << QStringList{u"记事本|Notepad"_s, dzh} << none << none
                                            << QByteArray("600519") << false << O::Posted << 1 << 7600519;
    QTest::newRow("通达信 of its class receives 000001")
        << QStringList{u"大智慧 - x|DzhMainFrame"_s, u"通达信|TdxW_Other_Class"_s,
                       u"通达信|TdxW_MainFrame_Class"_s}
        << none << none << QByteArray("000001") << true << O::Posted << 2 << 6000001;
    QTest::newRow("two matches: the lower one wins")
        << QStringList{u"大智慧 - 甲|A"_s, u"大智慧 - 乙|B"_s} << none << none << QByteArray("300750")
        << false << O::Posted << 0 << 6300750;
    QTest::newRow("通达信 only with the flag")
        << QStringList{u"通达信|TdxW_MainFrame_Class"_s} << none << none << QByteArray("600519") << false
        << O::NoTerminal << -1 << 7600519;
    QTest::newRow("no terminal") << QStringList{u"记事本|Notepad"_s} << none << none << QByteArray("600519")
                                 << false << O::NoTerminal << -1 << 7600519;
    QTest::newRow("client list: its last match wins")
        << three << QList<int>{0, 1} << none << QByteArray("600519") << false << O::Posted << 1 << 7600519;
    QTest::newRow("client list: unlisted windows are not examined")
        << QStringList{u"记事本|Notepad"_s, dzh} << QList<int>{0} << none << QByteArray("600519") << false
        << O::NoTerminal << -1 << 7600519;
    QTest::newRow("stacking list: the lowest match wins")
        << three << QList<int>{0, 1, 2} << QList<int>{1, 2, 0} << QByteArray("600519") << false << O::Posted
        << 1 << 7600519;
    QTest::newRow("short code") << QStringList{dzh} << none << none << QByteArray("60051") << false
                                << O::CodeTooShort << -1 << 0;
}

void X11WindowDirectoryTest::handOff() {
    QFETCH(QStringList, windows);
    QFETCH(QList<int>, clientList);
    QFETCH(QList<int>, stacking);
    QFETCH(QByteArray, code);
    QFETCH(bool, tongdaxin);
    QFETCH(HandOff::Outcome, outcome);
    QFETCH(int, receiver);
    QFETCH(int, number);

    QList<unsigned long> made;
    for (const QString& spec : std::as_const(windows))
        made.append(window(spec.section(u'|', 0, 0), spec.section(u'|', 1).toLatin1()));
    const auto publish = [&](const char* property, const QList<int>& indexes) {
        QList<unsigned long> listed;
        for (const int i : indexes)
            listed.append(made.at(i));
        if (!listed.isEmpty())
            m_x->setClientList(property, listed);
    };
    publish("_NET_CLIENT_LIST", clientList);
    publish("_NET_CLIENT_LIST_STACKING", stacking);

    X11WindowDirectory directory(m_displayName.constData());
    const HandOff result = handOffCode(directory, std::string_view(code.constData(), code.size()), tongdaxin);
    const QList<XTestDisplay::ReceivedMessage> messages = m_x->takeClientMessages();

    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.codeNumber, number);
    if (receiver < 0) {
        QCOMPARE(messages.size(), 0);
        return;
    }
    const unsigned long stock = m_x->atom("Stock");
    QCOMPARE(result.window, WindowId(made.at(receiver)));
    QCOMPARE(result.message, stock);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].window, made.at(receiver));
    QCOMPARE(messages[0].type, stock);
    QCOMPARE(messages[0].format, 32);
    QCOMPARE(messages[0].first, long(number));
    QCOMPARE(messages[0].second, 0L);
}

void X11WindowDirectoryTest::vanishedWindowsAreHarmless() {
    const unsigned long gone = window(u"大智慧 - 已关闭"_s, "A");
    m_x->destroyWindow(gone);
    m_windows.removeOne(gone);

    X11WindowDirectory directory(m_displayName.constData());
    QCOMPARE(directory.windowTitle(gone), std::string());
    QCOMPARE(directory.windowClass(gone), std::string());
    directory.postMessage(gone, directory.registerMessage("Stock"), 7600519, 0);
    // The connection is still usable afterwards.
    const unsigned long alive = window(u"大智慧 - 贵州茅台"_s, "A");
    QCOMPARE(bytesOf(directory.windowTitle(alive)), gbk::encode(u"大智慧 - 贵州茅台"_s));
}

void X11WindowDirectoryTest::noDisplayFindsNoTerminal() {
    X11WindowDirectory directory(":65000");
    QVERIFY(!directory.isConnected());
    QCOMPARE(handOffCode(directory, "600519", false).outcome, HandOff::Outcome::NoTerminal);
}

void X11WindowDirectoryTest::anotherProcessReceivesTheCode() {
    QProcess terminal;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, QString::fromLatin1(m_displayName));
    terminal.setProcessEnvironment(environment);
    terminal.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    terminal.start(QStringLiteral(TAVRIN_FAKE_TERMINAL), {u"大智慧 - 贵州茅台"_s, u"DzhMainFrame"_s});
    QVERIFY(terminal.waitForStarted());
    while (!terminal.canReadLine())
        QVERIFY2(terminal.waitForReadyRead(15000), "the fake terminal did not come up");
    const QByteArray ready = terminal.readLine().trimmed();
    QVERIFY2(ready.startsWith("ready 0x"), ready.constData());
    bool ok = false;
    const unsigned long terminalWindow = ready.mid(8).toULong(&ok, 16);
    QVERIFY(ok);

    X11WindowDirectory directory(m_displayName.constData());
    const HandOff result = handOffCode(directory, "600519", false);
    QCOMPARE(result.outcome, HandOff::Outcome::Posted);
    QCOMPARE(result.window, WindowId(terminalWindow));

    QVERIFY2(terminal.waitForFinished(15000), "the fake terminal received nothing");
    QCOMPARE(terminal.exitCode(), 0);
    const QByteArray expected = "client message to " + ready.mid(6) + ": type Stock (atom " +
                                QByteArray::number(result.message) + "), format 32, l[0] 7600519, l[1] 0";
    QCOMPARE(terminal.readAll().trimmed(), expected);
}

QTEST_GUILESS_MAIN(X11WindowDirectoryTest)
#include "test_x11_window_directory.moc"
