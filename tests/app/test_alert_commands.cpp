#include "app/main_window/main_window_names.h"
#include "app/widgets/tab_control.h"
#include "platform/gbk.h"
#include "tests/app/edit_fixture.h"
#include "tests/support/quote_sim_process.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <optional>

using namespace tavrin;
namespace names = tavrin::main_window_names;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

const Message notFound{QStringLiteral("没有找到")};

QByteArray fileContent(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Setting and removing alerts through the page "预警设置" and the list's menu,
// against a real database file, settings file and the quote simulator.
class AlertCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void openingTheEditorStopsMonitoringAndFillsTheBoxes();
    void openingWithoutASelectionShowsNoQuote();
    void aStaleQuoteIsNotShown();
    void anEmptyAlertPriceDoesNothing_data();
    void anEmptyAlertPriceDoesNothing();
    void settingStoresCleanedKindAndPrice_data();
    void settingStoresCleanedKindAndPrice();
    void settingATypedCodeResetsThatStocksCounter();
    void settingAnUnknownCodeStoresNothing();
    void removingKeepsTheKind();
    void removingDeletesTheCounterOfTheRecordChanged();
    void removingWithoutASelection();
    void failedUpdatesShowAnErrorBox_data();
    void failedUpdatesShowAnErrorBox();
    void aNewUsersSession();

private:
    QLineEdit* codeBox() const { return m_edit->box(names::alertCodeBox); }
    QLineEdit* priceBox() const { return m_edit->box(names::alertLatestPriceBox); }
    QLineEdit* changeBox() const { return m_edit->box(names::alertChangeBox); }
    QLineEdit* alertPriceBox() const { return m_edit->box(names::alertTargetPriceBox); }
    QLineEdit* noteBox() const { return m_edit->box(names::alertNoteBox); }
    QComboBox* kindBox() const { return m_edit->control<QComboBox>("组合框1"); }
    void trigger(const char* menuItem) { m_edit->window.action(u8(menuItem))->trigger(); }
    void setAlert() { m_edit->control<QPushButton>("按钮3")->click(); }
    // Opens the editor on the row and waits until its quote is shown.
    bool openEditor(int row);

    QuoteSimProcess m_sim;
    std::optional<EditFixture> m_edit;
};

void AlertCommandsTest::initTestCase() {
    QVERIFY(m_sim.start());
}

void AlertCommandsTest::init() {
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/clear")), QByteArray("ok"));
    QVERIFY(!m_sim.admin(QStringLiteral("/admin/price?code=002202&price=8.76&prev=8")).isNull());
    QVERIFY(!m_sim.admin(QStringLiteral("/admin/price?code=600519&price=1712.34&prev=1700")).isNull());
    m_edit.emplace(m_sim.baseUrl());
}

void AlertCommandsTest::cleanup() {
    m_edit.reset();
}

bool AlertCommandsTest::openEditor(int row) {
    QSignalSpy shown(&m_edit->alerts, &AlertCommands::quoteShown);
    m_edit->select(row);
    trigger("添加/修改预警");
    return shown.count() > 0 || shown.wait(10000);
}

void AlertCommandsTest::openingTheEditorStopsMonitoringAndFillsTheBoxes() {
    m_edit->seed(u8("贵州茅台"), QStringLiteral("600519"));
    m_edit->seed(u8("金风科技"), QStringLiteral("002202"));
    QVERIFY(m_edit->showActive());
    kindBox()->setCurrentIndex(1);
    alertPriceBox()->setText(QStringLiteral("7.5"));
    m_edit->window.monitorButton()->click();
    QCOMPARE(m_edit->window.monitorButton()->text(), u8("停止监控"));

    QVERIFY(openEditor(1));
    QCOMPARE(m_edit->window.tabControl()->currentIndex(), AlertCommands::kAlertPage);
    QCOMPARE(m_edit->window.monitorButton()->text(), u8("执行监控"));
    QCOMPARE(timerPeriod(*m_edit->window.monitorTimer()), 0);
    QCOMPARE(timerPeriod(*m_edit->window.colourTimer()), 0);
    QCOMPARE(codeBox()->text(), QStringLiteral("002202"));
    QCOMPARE(priceBox()->text(), QStringLiteral("8.76"));
    QCOMPARE(changeBox()->text(), QStringLiteral("9.5"));
    QTRY_VERIFY(alertPriceBox()->hasFocus());
    QCOMPARE(kindBox()->currentText(), u8("下跌到"));
    QCOMPARE(alertPriceBox()->text(), QStringLiteral("7.5"));
    QVERIFY(m_edit->messages.shown.empty());
}

void AlertCommandsTest::openingWithoutASelectionShowsNoQuote() {
    m_edit->seed(u8("金风科技"), QStringLiteral("002202"));
    QVERIFY(openEditor(0));
    QCOMPARE(priceBox()->text(), QStringLiteral("8.76"));
    // Without a row there is no code and no quote: nothing of the previous stock stays.
    QVERIFY(openEditor(-1));
    QVERIFY(codeBox()->text().isEmpty());
    QVERIFY(priceBox()->text().isEmpty());
    QVERIFY(changeBox()->text().isEmpty());
}

void AlertCommandsTest::aStaleQuoteIsNotShown() {
    m_edit->seed(u8("金风科技"), QStringLiteral("002202"));
    QCOMPARE(m_sim.admin(QStringLiteral("/admin/fault?mode=latency&code=002202&ms=500")), QByteArray("ok"));
    QSignalSpy answers(&m_edit->alertLookup, &AsyncQuoteLookup::answered);
    QSignalSpy shown(&m_edit->alerts, &AlertCommands::quoteShown);
    m_edit->select(0);
    trigger("添加/修改预警");
    codeBox()->setText(QStringLiteral("600519"));
    QTRY_COMPARE(answers.count(), 1);
    QCOMPARE(shown.count(), 0);
    QVERIFY(priceBox()->text().isEmpty());
    QVERIFY(changeBox()->text().isEmpty());
}

void AlertCommandsTest::anEmptyAlertPriceDoesNothing_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("a kind chosen") << 0;
    QTest::newRow("the empty kind") << 3;
}

void AlertCommandsTest::anEmptyAlertPriceDoesNothing() {
    QFETCH(int, kind);
    m_edit->seed(u8("金风科技"), QStringLiteral("002202"));
    const std::vector<StockRecord> before = m_edit->records();
    QVERIFY(openEditor(0));
    kindBox()->setCurrentIndex(kind);
    alertPriceBox()->clear();
    setAlert();
    QVERIFY(m_edit->messages.shown.empty());
    QVERIFY(m_edit->notifier.balloons().isEmpty());
    QCOMPARE(m_edit->records(), before);
    QVERIFY(!QFile::exists(m_edit->settings.path()));
    QCOMPARE(codeBox()->text(), QStringLiteral("002202"));
    QCOMPARE(priceBox()->text(), QStringLiteral("8.76"));
}

void AlertCommandsTest::settingStoresCleanedKindAndPrice_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("storedKind");
    QTest::addColumn<QString>("storedPrice");
    QTest::newRow("rise to") << 0 << u8("9.5") << u8("上涨到") << u8("9.5");
    QTest::newRow("fall to, spaces removed") << 1 << u8(" 7 .5　") << u8("下跌到") << u8("7.5");
    QTest::newRow("take profit") << 2 << u8("1000") << u8("止盈卖") << u8("1000");
    QTest::newRow("empty kind stores NULL") << 3 << u8("9") << QString() << u8("9");
}

void AlertCommandsTest::settingStoresCleanedKindAndPrice() {
    QFETCH(int, kind);
    QFETCH(QString, price);
    QFETCH(QString, storedKind);
    QFETCH(QString, storedPrice);
    const QString id = m_edit->seed(u8("金风科技"), QStringLiteral("002202"), QStringLiteral("9"),
                                    QStringLiteral("100"), QStringLiteral("5"), u8("上涨到"));
    QVERIFY(m_edit->settings.write(u"预警次数", u"金风科技", u"7"));
    QVERIFY(openEditor(0));
    kindBox()->setCurrentIndex(kind);
    alertPriceBox()->setText(price);
    noteBox()->setText(u8("备忘"));
    setAlert();

    QVERIFY(m_edit->messages.shown.empty());
    QCOMPARE(m_edit->notifier.balloons(), QList<Balloon>{editBalloon("添加预警", "添加成功")});
    const std::vector<StockRecord> stored = m_edit->records();
    QCOMPARE(stored.size(), size_t(1));
    QCOMPARE(stored[0].yjnr, storedKind);
    QCOMPARE(stored[0].yjjg, storedPrice);
    QCOMPARE(stored[0].cjjg, QStringLiteral("9"));
    QCOMPARE(m_edit->rawField(id, QStringLiteral("yjnr")).isNull(), storedKind.isEmpty());
    QCOMPARE(m_edit->settings.read(u"预警次数", u"金风科技"), QStringLiteral("0"));

    QCOMPARE(m_edit->model.cell(0, WatchListModel::AlertPrice), storedPrice);
    QCOMPARE(m_edit->model.cell(0, WatchListModel::AlertKind), storedKind);
    // No refresh pass follows: the quote columns stay empty.
    QVERIFY(m_edit->model.cell(0, WatchListModel::Price).isEmpty());
    QVERIFY(!m_edit->monitoring->isBusy());
    QVERIFY(codeBox()->text().isEmpty());
    QVERIFY(priceBox()->text().isEmpty());
    QVERIFY(alertPriceBox()->text().isEmpty());
    QVERIFY(changeBox()->text().isEmpty());
    QCOMPARE(kindBox()->currentIndex(), kind);
    QCOMPARE(noteBox()->text(), u8("备忘"));
    QCOMPARE(m_edit->window.monitorButton()->text(), u8("执行监控"));
}

void AlertCommandsTest::settingATypedCodeResetsThatStocksCounter() {
    m_edit->seed(u8("贵州茅台"), QStringLiteral("600519"));
    m_edit->seed(u8("金风科技"), QStringLiteral("002202"));
    QVERIFY(m_edit->settings.write(u"预警次数", u"贵州茅台", u"4"));
    QVERIFY(m_edit->settings.write(u"预警次数", u"金风科技", u"6"));
    const std::vector<StockRecord> before = m_edit->records();
    QVERIFY(openEditor(0));
    codeBox()->setText(QStringLiteral("002202"));
    kindBox()->setCurrentIndex(0);
    alertPriceBox()->setText(QStringLiteral("9.9"));
    setAlert();

    const std::vector<StockRecord> after = m_edit->records();
    QCOMPARE(after[0], before[0]);
    QCOMPARE(after[1].yjjg, QStringLiteral("9.9"));
    QCOMPARE(after[1].yjnr, u8("上涨到"));
    QCOMPARE(m_edit->settings.read(u"预警次数", u"金风科技"), QStringLiteral("0"));
    QCOMPARE(m_edit->settings.read(u"预警次数", u"贵州茅台"), QStringLiteral("4"));
}

void AlertCommandsTest::settingAnUnknownCodeStoresNothing() {
    m_edit->seed(u8("金风科技"), QStringLiteral("002202"));
    const std::vector<StockRecord> before = m_edit->records();
    QVERIFY(openEditor(0));
    codeBox()->setText(QStringLiteral("002202 "));
    alertPriceBox()->setText(QStringLiteral("9"));
    setAlert();
    QCOMPARE(m_edit->messages.shown, std::vector<Message>{notFound});
    QVERIFY(m_edit->notifier.balloons().isEmpty());
    QCOMPARE(m_edit->records(), before);
    QVERIFY(!QFile::exists(m_edit->settings.path()));
    QCOMPARE(alertPriceBox()->text(), QStringLiteral("9"));
}

void AlertCommandsTest::removingKeepsTheKind() {
    m_edit->seed(u8("贵州茅台"), QStringLiteral("600519"));
    const QString id = m_edit->seed(u8("金风科技"), QStringLiteral("002202"), QStringLiteral("9"),
                                    QStringLiteral("100"), QStringLiteral("12"), u8("上涨到"));
    QVERIFY(m_edit->settings.write(u"股票时间", u"金风科技", u"5"));
    QVERIFY(m_edit->settings.write(u"预警次数", u"金风科技", u"3"));
    QVERIFY(m_edit->settings.write(u"预警次数", u"贵州茅台", u"2"));
    const std::vector<StockRecord> before = m_edit->records();
    m_edit->select(1);
    trigger("删除预警");

    QVERIFY(m_edit->messages.shown.empty());
    QCOMPARE(m_edit->notifier.balloons(), QList<Balloon>{editBalloon("删除预警", "删除成功")});
    const std::vector<StockRecord> after = m_edit->records();
    QCOMPARE(after[0], before[0]);
    QVERIFY(m_edit->rawField(id, QStringLiteral("yjjg")).isNull());
    QCOMPARE(after[1].yjnr, u8("上涨到"));
    const ProfileEditor ini = m_edit->settingsOnDisk();
    QVERIFY(!ini.contains(u"预警次数", u"金风科技"));
    QCOMPARE(ini.read(u"预警次数", u"贵州茅台"), QStringLiteral("2"));
    QCOMPARE(ini.read(u"股票时间", u"金风科技"), QStringLiteral("5"));
    QVERIFY(m_edit->model.cell(1, WatchListModel::AlertPrice).isEmpty());
    QCOMPARE(m_edit->model.cell(1, WatchListModel::AlertKind), u8("上涨到"));
}

void AlertCommandsTest::removingDeletesTheCounterOfTheRecordChanged() {
    // Two rows of one code: the first in table order is the one changed, whatever row is selected.
    m_edit->seed(u8("贵州茅台"), QStringLiteral("600519"), QStringLiteral("1500"), QStringLiteral("10"),
                 QStringLiteral("1800"), u8("上涨到"));
    m_edit->seed(u8("茅台乙"), QStringLiteral("600519"), QStringLiteral("1600"), QStringLiteral("10"),
                 QStringLiteral("1900"), u8("上涨到"));
    QVERIFY(m_edit->settings.write(u"预警次数", u"贵州茅台", u"3"));
    QVERIFY(m_edit->settings.write(u"预警次数", u"茅台乙", u"4"));
    const std::vector<StockRecord> before = m_edit->records();
    m_edit->select(1);
    trigger("删除预警");

    const std::vector<StockRecord> after = m_edit->records();
    QVERIFY(after[0].yjjg.isEmpty());
    QCOMPARE(after[1], before[1]);
    const ProfileEditor ini = m_edit->settingsOnDisk();
    QVERIFY(!ini.contains(u"预警次数", u"贵州茅台"));
    QCOMPARE(ini.read(u"预警次数", u"茅台乙"), QStringLiteral("4"));
}

void AlertCommandsTest::removingWithoutASelection() {
    m_edit->seed(u8("金风科技"), QStringLiteral("002202"), QStringLiteral("9"), QStringLiteral("100"),
                 QStringLiteral("12"), u8("上涨到"));
    const std::vector<StockRecord> before = m_edit->records();
    m_edit->select(-1);
    trigger("删除预警");
    QCOMPARE(m_edit->messages.shown, std::vector<Message>{notFound});
    QVERIFY(m_edit->notifier.balloons().isEmpty());
    QCOMPARE(m_edit->records(), before);
}

void AlertCommandsTest::failedUpdatesShowAnErrorBox_data() {
    QTest::addColumn<bool>("removing");
    QTest::newRow("set") << false;
    QTest::newRow("remove") << true;
}

void AlertCommandsTest::failedUpdatesShowAnErrorBox() {
    QFETCH(bool, removing);
    m_edit->seed(u8("金风科技"), QStringLiteral("002202"), QStringLiteral("9"), QStringLiteral("100"),
                 QStringLiteral("12"), u8("上涨到"));
    QVERIFY(m_edit->settings.write(u"预警次数", u"金风科技", u"3"));
    const std::vector<StockRecord> before = m_edit->records();
    QVERIFY(m_edit->execSql(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON gupiao "
                                           "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    if (removing) {
        m_edit->select(0);
        trigger("删除预警");
    } else {
        QVERIFY(openEditor(0));
        alertPriceBox()->setText(QStringLiteral("9"));
        setAlert();
    }
    QCOMPARE(m_edit->messages.shown.size(), size_t(1));
    QCOMPARE(m_edit->messages.shown[0].caption, u8("错误："));
    QCOMPARE(m_edit->messages.shown[0].icon, MessageIcon::Error);
    QVERIFY(m_edit->notifier.balloons().isEmpty());
    QCOMPARE(m_edit->records(), before);
    QCOMPARE(m_edit->settings.read(u"预警次数", u"金风科技"), QStringLiteral("3"));
}

// Type a code, take the offered price, enter a quantity, add; change the cost; set
// and remove an alert; delete the stock. After every step the files hold exactly
// what they should.
void AlertCommandsTest::aNewUsersSession() {
    QVERIFY(m_edit->showActive());
    auto* code = m_edit->box(names::codeBox);
    auto* price = m_edit->box(names::purchasePriceBox);
    auto* quantity = m_edit->box(names::quantityBox);
    const QString ini = m_edit->settings.path();

    m_edit->window.action(names::addStockCommand)->trigger();
    QTest::keyClicks(code, QStringLiteral("002202"));
    QTRY_COMPARE(price->text(), QStringLiteral("8.76"));
    QTest::keyClick(price, Qt::Key_Return);
    quantity->selectAll();
    QTest::keyClicks(quantity, QStringLiteral("1000"));
    QTest::keyClick(quantity, Qt::Key_Return);
    std::vector<StockRecord> stored = m_edit->records();
    QCOMPARE(stored.size(), size_t(1));
    const QString id = stored[0].id;
    QCOMPARE(stored[0], (StockRecord{id, u8("金风科技"), u8("002202"), u8("8.76"), u8("1000"), {}, {}}));
    QCOMPARE(fileContent(ini),
             gbk::encode(u8("[股票时间]\r\n金风科技=3\r\n[下跌预警]\r\n金风科技下跌预警=真\r\n")));

    // Change the cost: the row selected, its code in the box, the new cost typed.
    m_edit->select(0);
    QVERIFY(m_edit->enterCode(QStringLiteral("002202")));
    price->setText(QStringLiteral("8.5"));
    quantity->setText(QStringLiteral("1200"));
    m_edit->control<QPushButton>("按钮2")->click();
    QCOMPARE(m_edit->records()[0],
             (StockRecord{id, u8("金风科技"), u8("002202"), u8("8.5"), u8("1200"), {}, {}}));

    QVERIFY(openEditor(0));
    kindBox()->setCurrentIndex(1);
    alertPriceBox()->setText(QStringLiteral("8"));
    setAlert();
    QCOMPARE(m_edit->records()[0],
             (StockRecord{id, u8("金风科技"), u8("002202"), u8("8.5"), u8("1200"), u8("8"), u8("下跌到")}));
    QCOMPARE(fileContent(ini),
             gbk::encode(u8("[股票时间]\r\n金风科技=3\r\n[下跌预警]\r\n金风科技下跌预警=真\r\n"
                            "[预警次数]\r\n金风科技=0\r\n")));

    m_edit->select(0);
    trigger("删除预警");
    QCOMPARE(m_edit->records()[0],
             (StockRecord{id, u8("金风科技"), u8("002202"), u8("8.5"), u8("1200"), {}, u8("下跌到")}));
    QCOMPARE(fileContent(ini),
             gbk::encode(u8("[股票时间]\r\n金风科技=3\r\n[下跌预警]\r\n金风科技下跌预警=真\r\n"
                            "[预警次数]\r\n")));

    m_edit->select(0);
    trigger("删除所选");
    QVERIFY(m_edit->records().empty());
    QCOMPARE(m_edit->model.rowCount(), 0);

    QVERIFY(m_edit->messages.shown.empty());
    QCOMPARE(m_edit->notifier.balloons(),
             (QList<Balloon>{editBalloon("添加股票", "添加成功"), editBalloon("修改股票", "修改成功"),
                             editBalloon("添加预警", "添加成功"), editBalloon("删除预警", "删除成功")}));
}

QTEST_MAIN(AlertCommandsTest)
#include "test_alert_commands.moc"
