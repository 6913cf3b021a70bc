#include "app/terminal_link/code_hand_off.h"
#include "platform/gbk.h"

#include <QTest>
#include <vector>

using namespace Qt::StringLiterals;
using namespace tavrin;
using namespace tavrin::terminal_link;

namespace {

struct Post {
    WindowId window;
    std::uint32_t message;
    std::intptr_t first;
    std::intptr_t second;
};

// A desktop of windows numbered 1, 2, ... in enumeration order, each given as "title|class".
class FakeDirectory final : public WindowDirectory {
public:
    explicit FakeDirectory(const QStringList& windows) {
        for (const QString& window : windows) {
            const QStringList parts = window.split(u'|');
            m_windows.push_back({gbk::encode(parts.value(0)).toStdString(), parts.value(1).toStdString()});
        }
    }

    void forEachTopLevelWindow(const std::function<void(WindowId)>& visit) override {
        for (std::size_t i = 0; i < m_windows.size(); ++i)
            visit(i + 1);
    }
    std::string windowTitle(WindowId window) override {
        m_titlesRead.push_back(window);
        return m_windows.at(window - 1).first;
    }
    std::string windowClass(WindowId window) override { return m_windows.at(window - 1).second; }
    std::uint32_t registerMessage(const char* name) override {
        m_registered.push_back(name);
        return stockNumber;
    }
    void postMessage(WindowId window, std::uint32_t message, std::intptr_t first,
                     std::intptr_t second) override {
        m_posts.push_back({window, message, first, second});
    }

    static constexpr std::uint32_t stockNumber = 0xC123;
    std::vector<std::pair<std::string, std::string>> m_windows;
    std::vector<WindowId> m_titlesRead;
    std::vector<std::string> m_registered;
    std::vector<Post> m_posts;
};

} // namespace

Q_DECLARE_METATYPE(HandOff::Outcome)

class CodeHandOffTest : public QObject {
    Q_OBJECT
private slots:
    void handOff_data();
    void handOff();
    void everyWindowIsExamined();
};

void CodeHandOffTest::handOff_data() {
    QTest::addColumn<QStringList>("windows");
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<bool>("tongdaxin");
    QTest::addColumn<HandOff::Outcome>("outcome");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("number");

    using O = HandOff::Outcome;
    const QString dzh = u"大智慧 - 贵州茅台|DzhMainFrame"_s;
    const QString tdx = u"通达信|TdxW_MainFrame_Class"_s;
    QTest::newRow("大智慧 receives 600519") << QStringList{u"记事本|Notepad"_s, dzh} << QByteArray("600519")
                                            << false << O::Posted << 2 << 7600519;
    QTest::newRow("通达信 receives 000001") << QStringList{dzh, tdx, u"通达信|TdxW_Other_Class"_s}
                                            << QByteArray("000001") << true << O::Posted << 2 << 6000001;
    QTest::newRow("two matches: the last wins")
        << QStringList{u"大智慧 - 甲|A"_s, u"other|B"_s, u"大智慧 - 乙|C"_s, u"other|D"_s}
        << QByteArray("300750") << false << O::Posted << 3 << 6300750;
    QTest::newRow("通达信 only with the flag")
        << QStringList{tdx} << QByteArray("600519") << false << O::NoTerminal << 0 << 7600519;
    QTest::newRow("no windows at all")
        << QStringList{} << QByteArray("600519") << true << O::NoTerminal << 0 << 7600519;
    QTest::newRow("match past byte 254 does not count")
        << QStringList{QString(250, u'x') + u"大智慧 - |A"_s} << QByteArray("600519") << false
        << O::NoTerminal << 0 << 7600519;
    QTest::newRow("longer code read whole")
        << QStringList{dzh} << QByteArray("6005191") << false << O::Posted << 1 << 76005191;
    QTest::newRow("five bytes are too short")
        << QStringList{dzh} << QByteArray("60051") << false << O::CodeTooShort << 0 << 0;
    QTest::newRow("empty code (no selection)")
        << QStringList{dzh} << QByteArray() << false << O::CodeTooShort << 0 << 0;
    QTest::newRow("number beyond 32 bits")
        << QStringList{dzh} << QByteArray("123456789") << false << O::CodeTooLarge << 0 << 0;
}

void CodeHandOffTest::handOff() {
    QFETCH(QStringList, windows);
    QFETCH(QByteArray, code);
    QFETCH(bool, tongdaxin);
    QFETCH(HandOff::Outcome, outcome);
    QFETCH(int, target);
    QFETCH(int, number);

    FakeDirectory directory(windows);
    const HandOff result = handOffCode(directory, std::string_view(code.constData(), code.size()), tongdaxin);

    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.codeNumber, number);
    if (outcome != HandOff::Outcome::Posted) {
        QVERIFY(directory.m_posts.empty());
        return;
    }
    QCOMPARE(result.window, WindowId(target));
    QCOMPARE(result.message, FakeDirectory::stockNumber);
    QCOMPARE(directory.m_registered, std::vector<std::string>{"Stock"});
    QCOMPARE(directory.m_posts.size(), 1u);
    const Post& post = directory.m_posts.front();
    QCOMPARE(post.window, WindowId(target));
    QCOMPARE(post.message, FakeDirectory::stockNumber);
    QCOMPARE(post.first, std::intptr_t(number));
    QCOMPARE(post.second, std::intptr_t(0));
}

void CodeHandOffTest::everyWindowIsExamined() {
    FakeDirectory directory({u"大智慧 - 甲|A"_s, u"other|B"_s, u"third|C"_s});
    handOffCode(directory, "600519", false);
    QCOMPARE(directory.m_titlesRead, (std::vector<WindowId>{1, 2, 3}));
}

QTEST_GUILESS_MAIN(CodeHandOffTest)
#include "test_code_hand_off.moc"
