#include "app/main_window/main_window_names.h"
#include "app/program.h"
#include "monitor/alert_rules.h"
#include "tests/app/edit_fixture.h"
#include "tests/support/message_box_closer.h"
#include "tests/support/quote_sim_process.h"
#include "tests/support/scoped_env.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <optional>

using namespace tavrin;
namespace names = tavrin::main_window_names;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

Message message(const char* text, const char* caption, MessageIcon icon, MessageOwner owner) {
    return Message{u8(text), u8(caption), icon, owner};
}

const char* const infoCaption = "信息：";
const char* const noQuoteText = "未能取得该股票的行情，无法添加。请检查股票代码和网络连接。";

// What a user sees of a message box the program shows.
} // namespace

// Adding, modifying and deleting stocks through the main window's edit row and
// menu, against a real database file, settings file and the quote simulator.
class StockCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void typingACodeOffersThePriceAndEnterAddsTheStock();
    void lookupStartsAtSixGbkBytes_data();
    void lookupStartsAtSixGbkBytes();
    void aStaleAnswerIsDropped();
    void aPriceTypedWhileWaitingIsKept();
    void refusedDuplicateAddChangesNothing();
    void typingAfterAnAddReplacesThePlaceholders();
    void addStoresTheStockWhenTheStateFileCannotBeWritten();
    void aStockAddedWhileTheStateFileIsBrokenIsCheckedOnItsStreak();
    void garbledReplyShowsTheErrorBox();
    void addRefusedWithoutAQuoteForTheCode_data();
    void addRefusedWithoutAQuoteForTheCode();
    void addRefusedWhenTheServiceIsUnreachable();
    void addRefusedWhileTheQuoteIsOnItsWay();
    void addOfAShortCodeResetsAndStoresNothing();
    void addStoresCleanedTexts_data();
    void addStoresCleanedTexts();
    void modifyActsOnTheTypedCode();
    void modifyStoresCleanedTexts_data();
    void modifyStoresCleanedTexts();
    void modifyRefusals_data();
    void modifyRefusals();
    void deleteRefusedWhileMonitoring();
    void deleteStopsRunningTimersAndNeedsASelection();
    void deleteRemovesTheSelectedIdAmongEqualCodes();
    void addStockMenuShowsTheEditRow();
    void failedDatabaseOperationsShowAnErrorBox_data();
    void failedDatabaseOperationsShowAnErrorBox();
    void theProgramWiresTheCommands();

private:
    static void cleaningRows();
    QLineEdit* codeBox() const { return m_edit->box(names::codeBox); }
    QLineEdit* priceBox() const { return m_edit->box(names::purchasePriceBox); }
    QLineEdit* quantityBox() const { return m_edit->box(names::quantityBox); }
    void click(const char* button) { m_edit->control<QPushButton>(button)->click(); }
    void trigger(const char* menuItem) { m_edit->window.action(u8(menuItem))->trigger(); }
    void pin(const char* code, const char* price) {
        QVERIFY(
            !m_sim.admin(QStringLiteral("/admin/price?code=%1&price=%2").arg(u8(code), u8(price))).isNull());
    }

    QuoteSimProcess m_sim;
    std::optional<EditFixture> m_edit;
};

void StockCommandsTest::initTestCase() {
    QVERIFY(m_sim.start());
}

void StockCommandsTest::init() {
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/clear")), QByteArray("ok"));
    pin("600519", "1712.34");
    pin("002202", "8.76");
    pin("300750", "190.5");
    m_edit.emplace(m_sim.baseUrl());
}

void StockCommandsTest::cleanup() {
    m_edit.reset();
}

void StockCommandsTest::typingACodeOffersThePriceAndEnterAddsTheStock() {
    QVERIFY(m_edit->showActive());
    codeBox()->setFocus();
    QTest::keyClicks(codeBox(), QStringLiteral("60051"));
    QVERIFY(!m_edit->stocks.isLookingUp());
    QTest::keyClick(codeBox(), '9');
    QTRY_COMPARE(priceBox()->text(), QStringLiteral("1712.34"));
    QTRY_VERIFY(priceBox()->hasFocus());
    QCOMPARE(m_edit->stocks.pendingName(), u8("贵州茅台"));

    QTest::keyClick(priceBox(), Qt::Key_Return);
    QVERIFY(quantityBox()->hasFocus());
    QCOMPARE(quantityBox()->text(), QStringLiteral("00"));
    quantityBox()->selectAll();
    QTest::keyClicks(quantityBox(), QStringLiteral("300"));
    QTest::keyClick(quantityBox(), Qt::Key_Return);

    const std::vector<StockRecord> stored = m_edit->records();
    QCOMPARE(stored.size(), size_t(1));
    QCOMPARE(stored[0].mingcheng, u8("贵州茅台"));
    QCOMPARE(stored[0].daima, QStringLiteral("600519"));
    QCOMPARE(stored[0].cjjg, QStringLiteral("1712.34"));
    QCOMPARE(stored[0].cjsl, QStringLiteral("300"));
    QVERIFY(stored[0].yjjg.isEmpty() && stored[0].yjnr.isEmpty());
    QVERIFY(m_edit->rawField(stored[0].id, QStringLiteral("suozai")).isNull());

    QCOMPARE(m_edit->settings.read(u"股票时间", u"贵州茅台"), QStringLiteral("3"));
    QCOMPARE(m_edit->settings.read(u"下跌预警", u"贵州茅台下跌预警"), u8("真"));
    QCOMPARE(m_edit->notifier.balloons(), QList<Balloon>{editBalloon("添加股票", "添加成功")});
    QVERIFY(m_edit->messages.shown.empty());

    QCOMPARE(priceBox()->text(), QStringLiteral(" "));
    QCOMPARE(quantityBox()->text(), QStringLiteral("00 "));
    QCOMPARE(codeBox()->text(), QStringLiteral(" "));
    QVERIFY(codeBox()->hasFocus());
    QCOMPARE(m_edit->model.rowCount(), 1);
    QCOMPARE(m_edit->model.cell(0, WatchListModel::Name), u8("贵州茅台"));
    // The refresh pass after the add fills the quote columns again.
    QTRY_COMPARE(m_edit->model.cell(0, WatchListModel::Price), QStringLiteral("1712.34"));
    // The pending name outlives the add.
    QCOMPARE(m_edit->stocks.pendingName(), u8("贵州茅台"));
}

void StockCommandsTest::lookupStartsAtSixGbkBytes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("looksUp");
    QTest::newRow("six digits") << QStringLiteral("600519") << true;
    QTest::newRow("five digits") << QStringLiteral("60051") << false;
    QTest::newRow("seven digits") << QStringLiteral("6005190") << false;
    QTest::newRow("two Chinese characters and two digits") << u8("中文12") << true;
    QTest::newRow("five characters, six bytes") << u8("6005中") << true;
    QTest::newRow("six characters, seven bytes") << u8("60051中") << false;
}

void StockCommandsTest::lookupStartsAtSixGbkBytes() {
    QFETCH(QString, text);
    QFETCH(bool, looksUp);
    const quint64 before = m_edit->codeLookup.latestRequest();
    codeBox()->setText(text);
    QCOMPARE(m_edit->codeLookup.latestRequest() > before, looksUp);
    QCOMPARE(m_edit->stocks.isLookingUp(), looksUp);
}

void StockCommandsTest::aStaleAnswerIsDropped() {
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/fault?mode=latency&code=600519&ms=600")), QByteArray("ok"));
    QSignalSpy answers(&m_edit->codeLookup, &AsyncQuoteLookup::answered);
    QSignalSpy taken(&m_edit->stocks, &StockCommands::codeLookedUp);

    // The box changes to another code before the slow answer comes in.
    codeBox()->setText(QStringLiteral("600519"));
    codeBox()->setText(QStringLiteral("002202"));
    QTRY_COMPARE(answers.count(), 2);
    QCOMPARE(taken.count(), 1);
    QCOMPARE(taken.at(0).at(0).toString(), QStringLiteral("002202"));
    QCOMPARE(priceBox()->text(), QStringLiteral("8.76"));
    QCOMPARE(m_edit->stocks.pendingName(), u8("金风科技"));

    // The box changes to a text that is no code at all.
    codeBox()->setText(QStringLiteral("600519"));
    codeBox()->setText(QStringLiteral("60051"));
    QTRY_COMPARE(answers.count(), 3);
    QCOMPARE(taken.count(), 1);
    QCOMPARE(priceBox()->text(), QStringLiteral("8.76"));
    QCOMPARE(m_edit->stocks.pendingName(), u8("金风科技"));
    QCOMPARE(m_edit->stocks.quotedCode(), QStringLiteral("002202"));
}

void StockCommandsTest::aPriceTypedWhileWaitingIsKept() {
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/fault?mode=latency&code=600519&ms=400")), QByteArray("ok"));
    QSignalSpy taken(&m_edit->stocks, &StockCommands::codeLookedUp);
    codeBox()->setText(QStringLiteral("600519"));
    priceBox()->setText(QStringLiteral("1700"));
    QVERIFY(taken.wait(10000));
    QCOMPARE(priceBox()->text(), QStringLiteral("1700"));
    QCOMPARE(m_edit->stocks.pendingName(), u8("贵州茅台"));
}

void StockCommandsTest::refusedDuplicateAddChangesNothing() {
    m_edit->seed(u8("贵州茅台"), QStringLiteral("600519"), QStringLiteral("1500"), QStringLiteral("10"));
    QVERIFY(m_edit->settings.write(u"股票时间", u"贵州茅台", u"3"));
    QVERIFY(m_edit->settings.write(u"下跌预警", u"贵州茅台下跌预警", u"真"));
    const std::vector<StockRecord> before = m_edit->records();

    QVERIFY(m_edit->enterCode(QStringLiteral("600519")));
    m_edit->control<QComboBox>(names::streakBox)->setCurrentText(QStringLiteral("8"));
    m_edit->control<QCheckBox>(names::fallAlertOption)->setChecked(false);
    quantityBox()->setText(QStringLiteral("200"));
    click(names::addButton);

    QCOMPARE(m_edit->messages.shown,
             std::vector<Message>{message("已存在，请重新添加或修改", infoCaption, MessageIcon::None,
                                          MessageOwner::MainWindow)});
    QVERIFY(m_edit->notifier.balloons().isEmpty());
    QCOMPARE(m_edit->records(), before);
    // A refused add writes nothing anywhere: the stock's settings stay as they were.
    QCOMPARE(m_edit->settings.read(u"股票时间", u"贵州茅台"), QStringLiteral("3"));
    QCOMPARE(m_edit->settings.read(u"下跌预警", u"贵州茅台下跌预警"), u8("真"));
    QCOMPARE(codeBox()->text(), QStringLiteral("600519"));
    QCOMPARE(priceBox()->text(), QStringLiteral("1712.34"));
    QCOMPARE(quantityBox()->text(), QStringLiteral("200"));
}

void StockCommandsTest::typingAfterAnAddReplacesThePlaceholders() {
    QVERIFY(m_edit->showActive());
    QVERIFY(m_edit->enterCode(QStringLiteral("600519")));
    click(names::addButton);
    QCOMPARE(m_edit->records().size(), size_t(1));
    QCOMPARE(codeBox()->text(), QStringLiteral(" "));
    QTRY_VERIFY(codeBox()->hasFocus());

    // The placeholders stay, but whatever the user types replaces them.
    QTest::keyClicks(codeBox(), QStringLiteral("600036"));
    QCOMPARE(codeBox()->text(), QStringLiteral("600036"));
    QTRY_VERIFY(priceBox()->hasFocus());
    QTest::keyClicks(priceBox(), QStringLiteral("1680.50"));
    QCOMPARE(priceBox()->text(), QStringLiteral("1680.50"));
    QTest::keyClick(priceBox(), Qt::Key_Return);
    QTRY_VERIFY(quantityBox()->hasFocus());
    QCOMPARE(quantityBox()->text(), QStringLiteral("00 "));
    QTest::keyClicks(quantityBox(), QStringLiteral("1000"));
    QCOMPARE(quantityBox()->text(), QStringLiteral("1000"));
    QTest::keyClick(quantityBox(), Qt::Key_Return);

    const std::vector<StockRecord> stored = m_edit->records();
    QCOMPARE(stored.size(), size_t(2));
    QCOMPARE(stored[1].daima, QStringLiteral("600036"));
    QCOMPARE(stored[1].cjjg, QStringLiteral("1680.50"));
    QCOMPARE(stored[1].cjsl, QStringLiteral("1000"));
}

void StockCommandsTest::addStoresTheStockWhenTheStateFileCannotBeWritten() {
    // A folder where the state file should be: nothing can be written there.
    QVERIFY(QDir().mkpath(m_edit->data.settingsFile()));
    QVERIFY(m_edit->enterCode(QStringLiteral("600519")));
    click(names::addButton);

    const std::vector<StockRecord> stored = m_edit->records();
    QCOMPARE(stored.size(), size_t(1));
    QCOMPARE(stored[0].daima, QStringLiteral("600519"));
    QVERIFY(m_edit->notifier.balloons().isEmpty());
    QCOMPARE(m_edit->messages.shown.size(), size_t(1));
    QCOMPARE(m_edit->messages.shown[0].icon, MessageIcon::Warning);
    QVERIFY(m_edit->messages.shown[0].text.contains(u"gupiao.ini"));
    QCOMPARE(m_edit->model.rowCount(), 1);
}

void StockCommandsTest::aStockAddedWhileTheStateFileIsBrokenIsCheckedOnItsStreak() {
    QVERIFY(QDir().mkpath(m_edit->data.settingsFile()));
    QVERIFY(m_edit->enterCode(QStringLiteral("600519")));
    m_edit->control<QComboBox>(names::streakBox)->setCurrentText(QStringLiteral("5"));
    click(names::addButton);
    QCOMPARE(m_edit->messages.shown.size(), size_t(1));
    QVERIFY(m_edit->alertState.inMemory());

    // The alert check on the state the add left in memory: five rises in a row, not
    // the three a stock without a streak length gets, raise the streak alert.
    test::RecordingNotifier notifier;
    test::RecordingSoundPlayer sounds;
    test::RecordingLog log;
    AlertRules rules(m_edit->alertState, notifier, sounds, log);
    const auto risen = [&] {
        return std::count_if(sounds.sounds().cbegin(), sounds.sounds().cend(),
                             [](Sound sound) { return sound == Sound::Rising; });
    };
    AlertRow row;
    row.name = m_edit->records().at(0).mingcheng;
    for (int check = 1; check <= 5; ++check) {
        row.price = QString::number(10 + check);
        QVERIFY(!rules.check({row}, AlertOptions{}));
        QCOMPARE(risen(), check == 5 ? 1 : 0);
    }
}

void StockCommandsTest::garbledReplyShowsTheErrorBox() {
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/fault?mode=many-fields&code=600519")), QByteArray("ok"));
    QVERIFY(m_edit->enterCode(QStringLiteral("600519")));
    QCOMPARE(m_edit->messages.shown,
             std::vector<Message>{message("对不起，获取股票信息错误，请检查股票代码。", "错误：",
                                          MessageIcon::Error, MessageOwner::MainWindow)});
    QVERIFY(m_edit->stocks.pendingName().isEmpty());
}

void StockCommandsTest::addRefusedWithoutAQuoteForTheCode_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("fault");
    QTest::newRow("no market prefix") << QStringLiteral("123456") << QString();
    QTest::newRow("a space and five digits") << QStringLiteral(" 60051") << QString();
    QTest::newRow("reply for another code") << QStringLiteral("600519") << QStringLiteral("other-code");
    QTest::newRow("connection dropped") << QStringLiteral("600519") << QStringLiteral("drop");
}

void StockCommandsTest::addRefusedWithoutAQuoteForTheCode() {
    QFETCH(QString, code);
    QFETCH(QString, fault);
    // The stock looked up before must not lend its name to this code.
    QVERIFY(m_edit->enterCode(QStringLiteral("002202")));
    QCOMPARE(m_edit->stocks.pendingName(), u8("金风科技"));
    if (!fault.isEmpty())
        QCOMPARE(m_sim.admin(QStringLiteral("/admin/fault?mode=%1&code=%2").arg(fault, code)),
                 QByteArray("ok"));
    QVERIFY(m_edit->enterCode(code));
    QVERIFY(m_edit->stocks.pendingName().isEmpty());
    QCOMPARE(priceBox()->text(), QStringLiteral("8.76"));

    click("添加按钮");
    QCOMPARE(m_edit->messages.shown,
             std::vector<Message>{
                 message(noQuoteText, infoCaption, MessageIcon::Warning, MessageOwner::MainWindow)});
    QVERIFY(m_edit->notifier.balloons().isEmpty());
    QVERIFY(m_edit->records().empty());
    QVERIFY(!QFile::exists(m_edit->settings.path()));
    QCOMPARE(codeBox()->text(), code);
}

void StockCommandsTest::addRefusedWhenTheServiceIsUnreachable() {
    m_edit.emplace(QString::fromLatin1(unreachableBaseUrl()));
    QVERIFY(m_edit->enterCode(QStringLiteral("600519")));
    QVERIFY(m_edit->stocks.pendingName().isEmpty());
    click("添加按钮");
    QCOMPARE(m_edit->messages.shown,
             std::vector<Message>{
                 message(noQuoteText, infoCaption, MessageIcon::Warning, MessageOwner::MainWindow)});
    QVERIFY(m_edit->records().empty());
    QVERIFY(!QFile::exists(m_edit->settings.path()));
}

void StockCommandsTest::addRefusedWhileTheQuoteIsOnItsWay() {
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/fault?mode=hang&code=600519")), QByteArray("ok"));
    codeBox()->setText(QStringLiteral("600519"));
    QVERIFY(m_edit->stocks.isLookingUp());
    click("添加按钮");
    QCOMPARE(m_edit->messages.shown,
             std::vector<Message>{message("正在取得该股票的行情，请稍候再添加。", infoCaption,
                                          MessageIcon::Information, MessageOwner::MainWindow)});
    QVERIFY(m_edit->records().empty());
    QVERIFY(!QFile::exists(m_edit->settings.path()));
}

void StockCommandsTest::addOfAShortCodeResetsAndStoresNothing() {
    m_edit->seed(u8("金风科技"), QStringLiteral("002202"));
    QVERIFY(m_edit->enterCode(QStringLiteral("600519")));
    codeBox()->setText(QStringLiteral("60051"));
    click("添加按钮");
    QVERIFY(m_edit->messages.shown.empty());
    QVERIFY(m_edit->notifier.balloons().isEmpty());
    QCOMPARE(m_edit->records().size(), size_t(1));
    QVERIFY(!QFile::exists(m_edit->settings.path()));
    QCOMPARE(priceBox()->text(), QStringLiteral(" "));
    QCOMPARE(quantityBox()->text(), QStringLiteral("00 "));
    QCOMPARE(codeBox()->text(), QStringLiteral(" "));
    QCOMPARE(m_edit->model.rowCount(), 1);
    QTRY_COMPARE(m_edit->model.cell(0, WatchListModel::Price), QStringLiteral("8.76"));
}

void StockCommandsTest::cleaningRows() {
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("storedPrice");
    QTest::addColumn<QString>("storedQuantity");
    QTest::newRow("spaces before and after") << u8(" 12.5 ") << u8("  100 ") << u8("12.5") << u8("100");
    QTest::newRow("full-width spaces inside") << u8("12　.5") << u8("1　0 0") << u8("12.5") << u8("100");
    QTest::newRow("quantity 00 stays 00") << u8("9") << u8("00") << u8("9") << u8("00");
    QTest::newRow("quantity 00 and a space") << u8("9") << u8("00 ") << u8("9") << u8("00");
    QTest::newRow("no number is kept as typed") << u8("abc") << u8("x 1") << u8("abc") << u8("x1");
}

void StockCommandsTest::addStoresCleanedTexts_data() {
    cleaningRows();
}

void StockCommandsTest::addStoresCleanedTexts() {
    QFETCH(QString, price);
    QFETCH(QString, quantity);
    QFETCH(QString, storedPrice);
    QFETCH(QString, storedQuantity);
    QVERIFY(m_edit->enterCode(QStringLiteral("300750")));
    priceBox()->setText(price);
    quantityBox()->setText(quantity);
    click("添加按钮");
    const std::vector<StockRecord> stored = m_edit->records();
    QCOMPARE(stored.size(), size_t(1));
    QCOMPARE(stored[0].mingcheng, u8("宁德时代"));
    QCOMPARE(stored[0].cjjg, storedPrice);
    QCOMPARE(stored[0].cjsl, storedQuantity);
}

void StockCommandsTest::modifyActsOnTheTypedCode() {
    const QString maotai = m_edit->seed(u8("贵州茅台"), QStringLiteral("600519"), QStringLiteral("1500"));
    const QString jinfeng = m_edit->seed(u8("金风科技"), QStringLiteral("002202"), QStringLiteral("9.1"));
    const std::vector<StockRecord> before = m_edit->records();
    m_edit->select(0);
    QVERIFY(m_edit->enterCode(QStringLiteral("002202")));
    priceBox()->setText(QStringLiteral("8.2"));
    quantityBox()->setText(QStringLiteral("500"));
    click("按钮2");

    const std::vector<StockRecord> after = m_edit->records();
    QCOMPARE(after.size(), size_t(2));
    QCOMPARE(after[0], before[0]);
    QCOMPARE(after[1].id, jinfeng);
    QCOMPARE(after[1].cjjg, QStringLiteral("8.2"));
    QCOMPARE(after[1].cjsl, QStringLiteral("500"));
    QCOMPARE(after[1].mingcheng, before[1].mingcheng);
    QCOMPARE(m_edit->notifier.balloons(), QList<Balloon>{editBalloon("修改股票", "修改成功")});
    QVERIFY(m_edit->messages.shown.empty());
    QCOMPARE(codeBox()->text(), QStringLiteral(" "));
    QCOMPARE(priceBox()->text(), QStringLiteral(" "));
    QCOMPARE(quantityBox()->text(), QStringLiteral("00 "));
    QCOMPARE(m_edit->model.cell(1, WatchListModel::Cost), QStringLiteral("8.2"));
    QTRY_COMPARE(m_edit->model.cell(1, WatchListModel::Price), QStringLiteral("8.76"));
    Q_UNUSED(maotai);
}

void StockCommandsTest::modifyStoresCleanedTexts_data() {
    cleaningRows();
}

void StockCommandsTest::modifyStoresCleanedTexts() {
    QFETCH(QString, price);
    QFETCH(QString, quantity);
    QFETCH(QString, storedPrice);
    QFETCH(QString, storedQuantity);
    m_edit->seed(u8("宁德时代"), QStringLiteral("300750"), QStringLiteral("180"), QStringLiteral("100"));
    m_edit->select(0);
    QVERIFY(m_edit->enterCode(QStringLiteral("300750")));
    priceBox()->setText(price);
    quantityBox()->setText(quantity);
    click("按钮2");
    const std::vector<StockRecord> stored = m_edit->records();
    QCOMPARE(stored.size(), size_t(1));
    QCOMPARE(stored[0].cjjg, storedPrice);
    QCOMPARE(stored[0].cjsl, storedQuantity);
}

void StockCommandsTest::modifyRefusals_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<Message>("expected");
    QTest::newRow("no row selected") << -1 << u8("600519") << u8("100")
                                     << message("请选择要修改的用户。", "系统提示", MessageIcon::Information,
                                                MessageOwner::MainWindow);
    QTest::newRow("code not stored") << 0 << u8("300750") << u8("100")
                                     << message("没有找到", infoCaption, MessageIcon::None,
                                                MessageOwner::None);
    QTest::newRow("code with a trailing space")
        << 0 << u8("600519 ") << u8("100")
        << message("没有找到", infoCaption, MessageIcon::None, MessageOwner::None);
    QTest::newRow("quantity box emptied")
        << 0 << u8("600519") << QString()
        << message("买入数量为空，未作修改。", infoCaption, MessageIcon::Warning, MessageOwner::MainWindow);
}

void StockCommandsTest::modifyRefusals() {
    QFETCH(int, row);
    QFETCH(QString, code);
    QFETCH(QString, quantity);
    QFETCH(Message, expected);
    m_edit->seed(u8("贵州茅台"), QStringLiteral("600519"), QStringLiteral("1500"), QStringLiteral("10"));
    const std::vector<StockRecord> before = m_edit->records();
    m_edit->select(row);
    codeBox()->setText(code);
    priceBox()->setText(QStringLiteral("1600"));
    quantityBox()->setText(quantity);
    click("按钮2");
    QCOMPARE(m_edit->messages.shown, std::vector<Message>{expected});
    QVERIFY(m_edit->notifier.balloons().isEmpty());
    QCOMPARE(m_edit->records(), before);
    QCOMPARE(priceBox()->text(), QStringLiteral("1600"));
}

void StockCommandsTest::deleteRefusedWhileMonitoring() {
    m_edit->seed(u8("贵州茅台"), QStringLiteral("600519"));
    const std::vector<StockRecord> before = m_edit->records();
    m_edit->window.monitorButton()->click();
    QCOMPARE(m_edit->window.monitorButton()->text(), u8("停止监控"));
    m_edit->select(0);
    trigger("删除所选");
    QCOMPARE(m_edit->messages.shown,
             std::vector<Message>{
                 message("请先停止刷新再删除。", "警告", MessageIcon::None, MessageOwner::MainWindow)});
    QCOMPARE(m_edit->records(), before);
    QCOMPARE(timerPeriod(*m_edit->window.monitorTimer()), MonitoringCycle::kPeriodMs);
    QCOMPARE(timerPeriod(*m_edit->window.colourTimer()), MonitoringCycle::kPeriodMs);
}

void StockCommandsTest::deleteStopsRunningTimersAndNeedsASelection() {
    m_edit->seed(u8("贵州茅台"), QStringLiteral("600519"));
    const std::vector<StockRecord> before = m_edit->records();
    setTimerPeriod(*m_edit->window.monitorTimer(), MonitoringCycle::kPeriodMs);
    setTimerPeriod(*m_edit->window.colourTimer(), MonitoringCycle::kPeriodMs);
    m_edit->select(-1);
    trigger("删除所选");
    QCOMPARE(m_edit->messages.shown, std::vector<Message>{message("什么都没选中，你删什么删", infoCaption,
                                                                  MessageIcon::None, MessageOwner::None)});
    QCOMPARE(timerPeriod(*m_edit->window.monitorTimer()), 0);
    QCOMPARE(timerPeriod(*m_edit->window.colourTimer()), 0);
    QCOMPARE(m_edit->window.monitorButton()->text(), u8("执行监控"));
    QCOMPARE(m_edit->records(), before);
}

void StockCommandsTest::deleteRemovesTheSelectedIdAmongEqualCodes() {
    const QString first = m_edit->seed(u8("贵州茅台"), QStringLiteral("600519"), QStringLiteral("1500"));
    const QString second = m_edit->seed(u8("贵州茅台"), QStringLiteral("600519"), QStringLiteral("1600"));
    const QString third = m_edit->seed(u8("金风科技"), QStringLiteral("002202"));
    std::vector<StockRecord> expected = m_edit->records();
    expected.erase(expected.begin() + 1);
    m_edit->select(1);
    QCOMPARE(m_edit->model.cell(1, WatchListModel::Id), second);
    trigger("删除所选");
    QCOMPARE(m_edit->records(), expected);
    QVERIFY(m_edit->messages.shown.empty());
    QVERIFY(m_edit->notifier.balloons().isEmpty());
    QCOMPARE(m_edit->model.rowCount(), 2);
    QCOMPARE(m_edit->model.cell(0, WatchListModel::Id), first);
    QCOMPARE(m_edit->model.cell(1, WatchListModel::Id), third);
}

void StockCommandsTest::addStockMenuShowsTheEditRow() {
    QVERIFY(m_edit->showActive());
    QCOMPARE(m_edit->window.frameGeometry().height(), 219);
    m_edit->window.watchListView()->setFocus();
    trigger("添加股票");
    QCOMPARE(m_edit->window.frameGeometry().height(), StockCommands::kEditRowHeight);
    QVERIFY(codeBox()->hasFocus());
}

void StockCommandsTest::failedDatabaseOperationsShowAnErrorBox_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("sql");
    QTest::newRow("add: insert refused") << u8("add")
                                         << u8("CREATE TRIGGER refuse BEFORE INSERT ON gupiao "
                                               "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    QTest::newRow("add: table gone") << u8("add") << u8("DROP TABLE gupiao");
    QTest::newRow("modify: update refused") << u8("modify")
                                            << u8("CREATE TRIGGER refuse BEFORE UPDATE ON gupiao "
                                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    QTest::newRow("delete: delete refused") << u8("delete")
                                            << u8("CREATE TRIGGER refuse BEFORE DELETE ON gupiao "
                                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END");
}

void StockCommandsTest::failedDatabaseOperationsShowAnErrorBox() {
    QFETCH(QString, command);
    QFETCH(QString, sql);
    m_edit->seed(u8("金风科技"), QStringLiteral("002202"), QStringLiteral("9"), QStringLiteral("100"));
    const std::vector<StockRecord> before = m_edit->records();
    QVERIFY(m_edit->enterCode(command == u"add" ? QStringLiteral("600519") : QStringLiteral("002202")));
    QVERIFY(m_edit->execSql(sql));
    m_edit->select(0);
    if (command == u"add")
        click("添加按钮");
    else if (command == u"modify")
        click("按钮2");
    else
        trigger("删除所选");

    QCOMPARE(m_edit->messages.shown.size(), size_t(1));
    const Message& shown = m_edit->messages.shown[0];
    QCOMPARE(shown.caption, u8("错误："));
    QCOMPARE(shown.icon, MessageIcon::Error);
    QCOMPARE(shown.owner, MessageOwner::MainWindow);
    // A Chinese sentence of what failed and what was kept; the driver's English detail is not shown.
    QVERIFY2(shown.text.contains(u8("股票数据库")) && shown.text.contains(u8("未作任何更改")),
             qPrintable(shown.text));
    QVERIFY2(!shown.text.contains(u"refused") && !shown.text.contains(u"table"), qPrintable(shown.text));
    QVERIFY(m_edit->notifier.balloons().isEmpty());
    if (!sql.startsWith(u"DROP"))
        QCOMPARE(m_edit->records(), before);
}

void StockCommandsTest::theProgramWiresTheCommands() {
    m_edit.reset();
    QTemporaryDir data;
    const ScopedEnv dataDir("TAVRIN_DATA_DIR", data.path().toLocal8Bit());
    const ScopedEnv quoteUrl("TAVRIN_QUOTE_URL", m_sim.baseUrl().toLatin1());
    {
        Program program{QIcon()};
        program.start();
        MainWindow& window = program.window();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        MessageBoxCloser closer(&window);
        auto* code = window.control<QLineEdit>(names::codeBox);
        auto* price = window.control<QLineEdit>(names::purchasePriceBox);
        auto* quantity = window.control<QLineEdit>(names::quantityBox);

        window.action(names::addStockCommand)->trigger();
        QCOMPARE(window.frameGeometry().height(), 270);
        QTest::keyClicks(code, QStringLiteral("002202"));
        QTRY_COMPARE(price->text(), QStringLiteral("8.76"));
        QTRY_VERIFY(price->hasFocus());
        QTest::keyClick(price, Qt::Key_Return);
        QVERIFY(quantity->hasFocus());
        QTest::keyClick(quantity, Qt::Key_Return);
        QCOMPARE(window.watchListModel()->rowCount(), 1);
        QCOMPARE(window.watchListModel()->cell(0, WatchListModel::Name), u8("金风科技"));
        QCOMPARE(window.watchListModel()->cell(0, WatchListModel::Quantity), QStringLiteral("00"));
        QCOMPARE(program.settings().read(u"股票时间", u"金风科技"), QStringLiteral("3"));
        QVERIFY(closer.seen.empty());

        // A duplicate brings up a real message box, owned by the window, with one button.
        code->setText(QStringLiteral("002202"));
        QTRY_COMPARE(price->text(), QStringLiteral("8.76"));
        window.control<QPushButton>(names::addButton)->click();
        QCOMPARE(closer.seen.size(), size_t(1));
        QCOMPARE(closer.seen[0].text, u8("已存在，请重新添加或修改"));
        QCOMPARE(closer.seen[0].caption, u8("信息："));
        QCOMPARE(closer.seen[0].icon, QMessageBox::NoIcon);
        QVERIFY(closer.seen[0].ownedByWindow);
        QCOMPARE(closer.seen[0].buttons, 1);

        // Modify without a selection: the information box of its own caption.
        window.watchListView()->clearSelection();
        window.control<QPushButton>(names::modifyButton)->click();
        QCOMPARE(closer.seen.size(), size_t(2));
        QCOMPARE(closer.seen[1].caption, u8("系统提示"));
        QCOMPARE(closer.seen[1].icon, QMessageBox::Information);

        window.watchListView()->selectRow(0);
        window.action(names::deleteStockCommand)->trigger();
        QCOMPARE(window.watchListModel()->rowCount(), 0);
        QVERIFY(program.database().loadAll().records.empty());
    }
}

QTEST_MAIN(StockCommandsTest)
#include "test_stock_commands.moc"
