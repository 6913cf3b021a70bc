#include "app/main_window/docking.h"
#include "app/market_views/quote_window.h"
#include "app/market_views/quote_window_catalogue.h"
#include "app/market_views/quote_window_names.h"
#include "app/widgets/canvas.h"
#include "tests/market_views/test_quote_window_support.h"
#include "tests/support/quote_sim_process.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace tavrin;
using namespace Qt::StringLiterals;
namespace names = tavrin::quote_window_names;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

QRgb textColour(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText).rgb();
}

} // namespace

class QuoteWindowTest : public QObject {
    Q_OBJECT

private:
    // A quote window owned by a stand-in main window, fetching from url.
    std::unique_ptr<QWidget> m_owner;
    QuoteWindow* m_window = nullptr;
    std::shared_ptr<RequestLog> m_log;
    std::unique_ptr<QuoteSimProcess> m_sim;

    QuoteWindow* open(const QString& url) {
        m_log = std::make_shared<RequestLog>();
        // Without a frame, its geometry is its frame geometry.
        m_owner = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
        m_owner->setGeometry(100, 300, 466, 219);
        m_window =
            new QuoteWindow(*m_owner, QuoteWindowServices{std::make_unique<RecordingHttp>(m_log), url, url});
        return m_window;
    }
    QByteArray simUrl() const { return m_sim->baseUrl().toUtf8(); }
    template <typename T> T* control(const char* name) const { return m_window->control<T>(u8(name)); }
    // Waits for the next refresh to be taken in.
    bool refreshed(QSignalSpy& spy) { return spy.wait(10000); }

private slots:
    void initTestCase() {
        m_sim = std::make_unique<QuoteSimProcess>(QStringList{u"--step-ms"_s, u"0"_s});
        QVERIFY(m_sim->start());
    }
    void cleanup() {
        m_owner.reset();
        m_window = nullptr;
        m_sim->admin(u"/admin/clear"_s);
    }

    void builtAsDesigned_data();
    void builtAsDesigned();
    void windowIsFixedBlackAndUncaptioned();
    void codeBoxTakesSixDigitsOnly();
    void sixthDigitHandsOverToTheButtonAndEnterQueries();
    void requestsSentToTheService_data();
    void requestsSentToTheService();
    void labelsShowTheReply();
    void priceFlashesOnlyWhenItsTextChanges();
    void aDeadServiceShowsOneBoxNotOnePerTick();
    void aShortReplyChangesNothing();
    void aRefreshForAnEditedCodeIsDropped();
    void redocksWhenMoved();
};

void QuoteWindowTest::builtAsDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<int>("pixelSize"); // 0: the standard size
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("family"); // the designed face, first of its list; empty: standard
    const QRgb white = quoteWhite, silver = qRgb(192, 192, 192), red = quoteRed;
    const auto row = [](const char* name, QRect rect, const char* text, QRgb colour, int size, bool bold,
                        const char* family) {
        QTest::newRow(name) << u8(name) << rect << u8(text) << colour << size << bold << u8(family);
    };
    row(names::codeLabel, {8, 24, 64, 24}, "股票代号:", white, 16, false, "");
    row(names::codeBox, {80, 14, 80, 33}, "", qRgb(128, 0, 0), 24, true, "Arial");
    row(names::nameBox, {169, 8, 128, 40}, "", white, 24, true, "幼圆");
    row(names::latestCaption, {296, 8, 48, 40}, "最新", silver, 21, false, "");
    row(names::priceLabel, {344, 16, 96, 24}, "", red, 21, true, "Arial");
    row(names::queryButton, {448, 14, 112, 31}, "查询", 0, 0, false, "");
    row(names::changeCaption, {188, 48, 40, 24}, "涨跌", silver, 0, false, "");
    row(names::changeLabel, {237, 48, 72, 24}, "0", red, 0, false, "");
    row(names::yuanCaption, {320, 48, 29, 24}, "元", silver, 0, false, "");
    row(names::changePercentLabel, {360, 48, 56, 24}, "", qRgb(236, 236, 236), 0, false, "");
    row(names::percentCaption, {416, 48, 24, 24}, "%", silver, 0, false, "");
    row(names::previousCloseLabel, {12, 56, 128, 16}, "昨收盘:", white, 16, false, "宋体");
    row(names::dateLabel, {465, 60, 92, 16}, "2008-0-0 0:00", white, 0, false, "");
    row(names::openLabel, {12, 80, 128, 16}, "今开盘:", white, 0, false, "");
    row(names::highLabel, {192, 80, 128, 16}, "最高价:", white, 0, false, "");
    row(names::lowLabel, {351, 80, 128, 16}, "最低价:", white, 0, false, "");
    row(names::chartCanvas, {5, 96, 560, 304}, "", 0, 0, false, "");
}

void QuoteWindowTest::builtAsDesigned() {
    QFETCH(QString, name);
    open(u"http://127.0.0.1:9"_s);
    auto* widget = m_window->control<QWidget>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget(), m_window);
    QTEST(widget->geometry(), "rect");
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(widget))
        shown = label->text();
    else if (auto* box = qobject_cast<QLineEdit*>(widget))
        shown = box->text();
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        shown = button->text();
    QTEST(shown, "text");
    QFETCH(QRgb, colour);
    if (colour != 0)
        QCOMPARE(textColour(widget), colour);
    QFETCH(int, pixelSize);
    if (pixelSize != 0)
        QCOMPARE(widget->font().pixelSize(), pixelSize);
    QTEST(widget->font().bold(), "bold");
    QFETCH(QString, family);
    if (!family.isEmpty()) {
        QCOMPARE(widget->font().families().value(0), family);
        // Where the designed face is missing, one that shows Chinese stands behind it.
        QVERIFY(widget->font().families().contains(u"Noto Sans CJK SC"_s) || family == u"Arial"_s);
    }
}

void QuoteWindowTest::windowIsFixedBlackAndUncaptioned() {
    open(u"http://127.0.0.1:9"_s);
    QVERIFY(m_window->isWindow());
    QCOMPARE(m_window->parentWidget(), m_owner.get());
    QVERIFY(!m_window->isModal());
    QVERIFY(m_window->windowTitle().isEmpty());
    QCOMPARE(m_window->size(), QSize(575, 408));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QCOMPARE(m_window->palette().color(QPalette::Window), QColor(Qt::black));
    auto* codeBox = control<QLineEdit>(names::codeBox);
    QCOMPARE(codeBox->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QCOMPARE(codeBox->palette().color(QPalette::Base), QColor(192, 192, 192));
    QVERIFY(control<QLineEdit>(names::nameBox)->isReadOnly());
    QCOMPARE(control<QLineEdit>(names::nameBox)->palette().color(QPalette::Base), QColor(Qt::black));
    auto* timer = control<QTimer>(names::refreshTimer);
    QVERIFY(timer);
    QVERIFY(!timer->isActive());
}

void QuoteWindowTest::codeBoxTakesSixDigitsOnly() {
    open(u"http://127.0.0.1:9"_s);
    m_window->show();
    auto* codeBox = control<QLineEdit>(names::codeBox);
    codeBox->setFocus();
    QTest::keyClicks(codeBox, u"6a0-0.5 19 77"_s);
    QCOMPARE(codeBox->text(), u"600519"_s);
    // What the program puts in stays as it is, and may still be edited.
    codeBox->setText(u" 60051"_s);
    codeBox->end(false);
    QTest::keyClick(codeBox, Qt::Key_Backspace);
    QCOMPARE(codeBox->text(), u" 6005"_s);
}

void QuoteWindowTest::sixthDigitHandsOverToTheButtonAndEnterQueries() {
    open(simUrl());
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    auto* codeBox = control<QLineEdit>(names::codeBox);
    auto* button = control<QPushButton>(names::queryButton);
    auto* timer = control<QTimer>(names::refreshTimer);
    codeBox->setFocus();
    QTest::keyClicks(codeBox, u"60051"_s);
    QVERIFY(codeBox->hasFocus());
    QTest::keyClick(codeBox, Qt::Key_9);
    QVERIFY(button->hasFocus());
    QVERIFY(!timer->isActive());

    QSignalSpy spy(m_window, &QuoteWindow::refreshed);
    QTest::keyClick(button, Qt::Key_Return);
    QVERIFY(codeBox->hasFocus());
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), QuoteWindow::kRefreshMs);
    QVERIFY(refreshed(spy));
    QCOMPARE(spy.first().first().value<QuoteWindowReplyStatus>(), QuoteWindowReplyStatus::Shown);
    QVERIFY(!button->isEnabled());

    // Any edit stops the refreshing and enables the button again.
    QTest::keyClick(codeBox, Qt::Key_Backspace);
    QVERIFY(button->isEnabled());
    QVERIFY(!timer->isActive());
    QCOMPARE(timer->interval(), 0);
}

void QuoteWindowTest::requestsSentToTheService_data() {
    QTest::addColumn<QString>("codeToShow");
    QTest::addColumn<QByteArrayList>("paths");
    QTest::addColumn<QStringList>("boxes");
    const QStringList none;
    QTest::newRow("600519") << u"600519"_s << QByteArrayList{"/q=sh600519", "/newchart/min/n/sh600519.gif"}
                            << none;
    QTest::newRow("none: the index") << QString()
                                     << QByteArrayList{"/q=sh000001", "/newchart/min/n/sh000001.gif"} << none;
    QTest::newRow("204001") << u"204001"_s << QByteArrayList{"/q=sh204001", "/newchart/min/n/sh204001.gif"}
                            << none;
    QTest::newRow("159915") << u"159915"_s << QByteArrayList{"/q=sz159915", "/newchart/min/n/sz159915.gif"}
                            << none;
    // Asked all the same; the service has nothing for a code without its market.
    QTest::newRow("900901") << u"900901"_s << QByteArrayList{"/q=900901"}
                            << QStringList{u"只支持沪深A股"_s, u"对不起，获取股票信息错误，请稍后再试。"_s};
}

void QuoteWindowTest::requestsSentToTheService() {
    QFETCH(QString, codeToShow);
    QFETCH(QByteArrayList, paths);
    open(simUrl());
    m_window->show();
    QCOMPARE(m_sim->admin(u"/admin/stats/reset"_s), QByteArray("ok"));
    QSignalSpy spy(m_window, &QuoteWindow::refreshed);
    m_window->startUp(codeToShow);
    QVERIFY(refreshed(spy));
    QCOMPARE(m_log->paths(simUrl()), paths);
    QVERIFY(m_sim->admin(u"/admin/stats"_s)
                .startsWith(QByteArray("requests=" + QByteArray::number(paths.size()) + '\n')));
    QFETCH(QStringList, boxes);
    QStringList shown = openBoxes(*m_window);
    shown.sort();
    boxes.sort();
    QCOMPARE(shown, boxes);
}

void QuoteWindowTest::labelsShowTheReply() {
    QCOMPARE(m_sim->admin(u"/admin/price?code=600519&price=10.50&prev=10.23"_s), QByteArray("ok"));
    open(simUrl());
    m_window->show();
    QSignalSpy spy(m_window, &QuoteWindow::refreshed);
    m_window->startUp(u"600519"_s);
    QVERIFY(refreshed(spy));
    QCOMPARE(control<QLineEdit>(names::nameBox)->text(), u"贵州茅台"_s);
    QCOMPARE(control<QLabel>(names::priceLabel)->text(), u"10.50"_s);
    QCOMPARE(control<QLabel>(names::changeLabel)->text(), u"0.27"_s);
    QCOMPARE(textColour(control<QLabel>(names::changeLabel)), quoteRed);
    QCOMPARE(control<QLabel>(names::changePercentLabel)->text(), u"2.64"_s);
    QCOMPARE(control<QLabel>(names::previousCloseLabel)->text(), u"昨收盘: 10.23"_s);
    QVERIFY(control<QLabel>(names::openLabel)->text().startsWith(u"今开盘: "_s));
    QVERIFY(control<QLabel>(names::highLabel)->text().startsWith(u"最高价: "_s));
    QVERIFY(control<QLabel>(names::lowLabel)->text().startsWith(u"最低价: "_s));
    QVERIFY(control<QLabel>(names::dateLabel)
                ->text()
                .contains(QRegularExpression(u"^\\d{4}年\\d\\d月\\d\\d日$"_s)));
    QCOMPARE(m_window->chart().picture().size(), QSize(545, 300));
}

void QuoteWindowTest::priceFlashesOnlyWhenItsTextChanges() {
    QCOMPARE(m_sim->admin(u"/admin/price?code=600519&price=9.90&prev=10.00"_s), QByteArray("ok"));
    open(simUrl());
    m_window->show();
    auto* price = control<QLabel>(names::priceLabel);
    QSignalSpy spy(m_window, &QuoteWindow::refreshed);
    m_window->startUp(u"600519"_s);
    QVERIFY(refreshed(spy));
    QVERIFY(m_window->isFlashing());
    QCOMPARE(textColour(price), quoteWhite);
    QTRY_VERIFY(!m_window->isFlashing());
    QCOMPARE(textColour(price), quoteGreen);
    const qint64 chartKey = m_window->chart().picture().cacheKey();

    m_window->query();
    QVERIFY(refreshed(spy));
    QVERIFY(!m_window->isFlashing());
    QCOMPARE(textColour(price), quoteGreen);
    // The same chart bytes again: the picture is not replaced.
    QCOMPARE(m_window->chart().picture().cacheKey(), chartKey);

    QCOMPARE(m_sim->admin(u"/admin/price?code=600519&price=10.20&prev=10.00"_s), QByteArray("ok"));
    m_window->query();
    QVERIFY(refreshed(spy));
    QCOMPARE(price->text(), u"10.20"_s);
    QVERIFY(m_window->isFlashing());
    QTRY_VERIFY(!m_window->isFlashing());
    QCOMPARE(textColour(price), quoteRed);
}

void QuoteWindowTest::aDeadServiceShowsOneBoxNotOnePerTick() {
    open(QString::fromLatin1(unreachableBaseUrl()));
    m_window->show();
    QSignalSpy spy(m_window, &QuoteWindow::refreshed);
    m_window->startUp(u"600519"_s);
    for (int tick = 0; tick < 4; ++tick) {
        QVERIFY(refreshed(spy));
        QCOMPARE(spy.last().first().value<QuoteWindowReplyStatus>(), QuoteWindowReplyStatus::Empty);
        QCOMPARE(openBoxes(*m_window), QStringList{u"股票代号错误！"_s});
        m_window->query();
    }
    QVERIFY(refreshed(spy));
    auto* box = m_window->findChild<QMessageBox*>();
    QCOMPARE(box->windowTitle(), u"错误："_s);
    QCOMPARE(box->icon(), QMessageBox::Critical);
    QVERIFY(!box->isModal());
    // The timer keeps running; once the box is dismissed the next failure shows one again.
    QVERIFY(control<QTimer>(names::refreshTimer)->isActive());
    box->button(QMessageBox::Ok)->click();
    QTRY_VERIFY(openBoxes(*m_window).isEmpty());
    m_window->query();
    QVERIFY(refreshed(spy));
    QCOMPARE(openBoxes(*m_window), QStringList{u"股票代号错误！"_s});
}

void QuoteWindowTest::aShortReplyChangesNothing() {
    QCOMPARE(m_sim->admin(u"/admin/price?code=600519&price=10.50&prev=10.23"_s), QByteArray("ok"));
    open(simUrl());
    m_window->show();
    QSignalSpy spy(m_window, &QuoteWindow::refreshed);
    m_window->startUp(u"600519"_s);
    QVERIFY(refreshed(spy));
    QCOMPARE(m_sim->admin(u"/admin/fault?mode=few-fields&code=600519"_s), QByteArray("ok"));
    QCOMPARE(m_sim->admin(u"/admin/price?code=600519&price=11.00&prev=10.23"_s), QByteArray("ok"));
    m_log->clear();
    m_window->query();
    QVERIFY(refreshed(spy));
    QCOMPARE(spy.last().first().value<QuoteWindowReplyStatus>(), QuoteWindowReplyStatus::Unreadable);
    QCOMPARE(openBoxes(*m_window), QStringList{u"对不起，获取股票信息错误，请稍后再试。"_s});
    QCOMPARE(control<QLabel>(names::priceLabel)->text(), u"10.50"_s);
    QCOMPARE(control<QLabel>(names::changeLabel)->text(), u"0.27"_s);
    QVERIFY(!m_window->chart().picture().isNull());
    // Nothing to show: the chart is not asked for.
    QCOMPARE(m_log->paths(simUrl()), QByteArrayList{"/q=sh600519"});
}

void QuoteWindowTest::aRefreshForAnEditedCodeIsDropped() {
    QCOMPARE(m_sim->admin(u"/admin/fault?mode=latency&ms=400&code=600519"_s), QByteArray("ok"));
    open(simUrl());
    m_window->show();
    QSignalSpy spy(m_window, &QuoteWindow::refreshed);
    QSignalSpy dropped(m_window, &QuoteWindow::staleRefreshDropped);
    m_window->startUp(u"600519"_s);
    control<QLineEdit>(names::codeBox)->setText(u"60051"_s);
    // The answer for 600519 arrives after the edit and is not taken in.
    QVERIFY(dropped.wait(10000));
    QCOMPARE(spy.count(), 0);
    QVERIFY(control<QPushButton>(names::queryButton)->isEnabled());
    QVERIFY(control<QLabel>(names::priceLabel)->text().isEmpty());
}

void QuoteWindowTest::redocksWhenMoved() {
    open(u"http://127.0.0.1:9"_s);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QCOMPARE(m_owner->frameGeometry(), QRect(100, 300, 466, 219));
    m_window->dockTo(m_owner->frameGeometry());
    // The main window at 100, 300, 466 x 219: the quote window at 567, 225, 289 high.
    QTRY_COMPARE(m_window->frameGeometry(), QRect(567, 225, 575, 289));
    m_window->move(20, 30);
    QTRY_COMPARE(m_window->pos(), QPoint(567, 225));
    QCOMPARE(m_window->frameGeometry().height(), 289);
    QCOMPARE(docking::quoteWindowRedock(m_owner->frameGeometry()), QPoint(567, 225));
}

QTEST_MAIN(QuoteWindowTest)
#include "test_quote_window.moc"
