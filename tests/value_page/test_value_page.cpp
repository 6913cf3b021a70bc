#include "app/main_window/main_window.h"
#include "app/main_window/main_window_names.h"
#include "app/main_window/program_pictures.h"
#include "app/value_page/value_page.h"
#include "app/value_page/value_page_address.h"
#include "app/widgets/picture_box.h"
#include "app/widgets/tab_control.h"
#include "platform/curl_http_client.h"
#include "store/watch_list_model.h"
#include "tests/app/edit_fixture.h"
#include "tests/support/quote_sim_process.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace tavrin;
using namespace Qt::StringLiterals;
namespace names = tavrin::main_window_names;

namespace {

// Records what the page asks of its browser.
class FakePageView final : public PageView {
public:
    using PageView::PageView;
    void open(const QUrl& address) override { opened.push_back(address); }
    void showFirstPage(const QUrl& address) override { first = address; }
    void showLocalPage(const QString& html) override { localPages.push_back(html); }
    QUrl address() const override { return opened.empty() ? first : opened.back(); }
    QString title() const override { return {}; }

    QUrl first;
    std::vector<QUrl> opened;
    std::vector<QString> localPages;
};

QColor textColour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

} // namespace

class ValuePageTest : public QObject {
    Q_OBJECT

private:
    QuoteSimProcess m_sim{{u"--step-ms"_s, u"0"_s}};
    std::unique_ptr<WatchListModel> m_model;
    std::unique_ptr<MainWindow> m_window;
    FakeMessages m_messages;
    std::unique_ptr<ValuePage> m_page;
    FakePageView* m_view = nullptr;
    QWidget* m_viewHost = nullptr;
    int m_viewsMade = 0;

    template <typename T> T* control(const char* name) const {
        return m_window->requiredControl<T>(QString::fromUtf8(name));
    }
    QLabel* label(const char* name) const { return control<QLabel>(name); }

    void makePage(const QString& valuePages) {
        m_page = std::make_unique<ValuePage>(
            *m_window, m_messages, ValuePageEndpoints{m_sim.baseUrl(), valuePages},
            std::make_unique<CurlHttpClient>(), [this](QWidget& host) -> PageView* {
                ++m_viewsMade;
                m_viewHost = &host;
                m_view = new FakePageView(&host);
                return m_view;
            });
    }

    // Types the code, presses the image button and waits for the page to open.
    bool evaluate(const QString& code) {
        QSignalSpy evaluated(m_page.get(), &ValuePage::evaluated);
        control<QLineEdit>(names::valueCodeBox)->setText(code);
        QTest::mouseClick(control<QToolButton>(names::valueQueryButton), Qt::LeftButton);
        return evaluated.wait(10000) && evaluated.first().first().toString() == code;
    }

    QUrl pageFor(const char* code) const { return valuePageUrl(m_sim.baseUrl(), QString::fromUtf8(code)); }

    qint64 requests() {
        const QByteArray stats = m_sim.admin(u"/admin/stats"_s);
        return stats.mid(stats.indexOf('=') + 1, stats.indexOf('\n') - stats.indexOf('=') - 1).toLongLong();
    }

private slots:
    void initTestCase() { QVERIFY(m_sim.start()); }

    void init() {
        m_model = std::make_unique<WatchListModel>();
        m_window = std::make_unique<MainWindow>(m_model.get(), programIcon());
        m_messages.shown.clear();
        m_viewsMade = 0;
        m_view = nullptr;
        makePage(m_sim.baseUrl());
        m_window->show();
        m_window->tabControl()->setCurrentIndex(3);
    }

    void cleanup() {
        m_page.reset();
        m_window.reset();
        m_model.reset();
        m_sim.admin(u"/admin/clear"_s);
    }

    void designState() {
        QCOMPARE(control<QLineEdit>(names::valueCodeBox)->text(), u"301072"_s);
        QCOMPARE(control<PictureBox>(names::valueFrame)->picture().size(), QSize(777, 381));
        QVERIFY(!control<QToolButton>(names::valueQueryButton)->icon().isNull());
    }

    void framePictureWhenThePageIsFirstShown() {
        m_page.reset();
        m_window->tabControl()->setCurrentIndex(0);
        control<PictureBox>(names::valueFrame)->setPicture({});
        makePage(m_sim.baseUrl());
        QVERIFY(control<PictureBox>(names::valueFrame)->picture().isNull());
        m_window->tabControl()->setCurrentIndex(1);
        QVERIFY(control<PictureBox>(names::valueFrame)->picture().isNull());
        m_window->tabControl()->setCurrentIndex(3);
        QCOMPARE(control<PictureBox>(names::valueFrame)->picture().size(), QSize(777, 381));
    }

    void browserMadeWhenThePageIsFirstShown() {
        m_page.reset();
        m_window->tabControl()->setCurrentIndex(0);
        m_viewsMade = 0;
        makePage(m_sim.baseUrl());
        QCOMPARE(m_viewsMade, 0);
        QVERIFY(!m_page->pageView());
        m_window->tabControl()->setCurrentIndex(1);
        QCOMPARE(m_viewsMade, 0);
        m_window->tabControl()->setCurrentIndex(3);
        QCOMPARE(m_viewsMade, 1);
        QCOMPARE(m_viewHost, control<QWidget>(names::valueBrowser));
        QCOMPARE(m_view->first, pageFor("002202"));
        m_window->tabControl()->setCurrentIndex(0);
        m_window->tabControl()->setCurrentIndex(3);
        QCOMPARE(m_viewsMade, 1);
    }

    void withoutAValueServerALocalPageSaysHowToSetOne() {
        m_page.reset();
        m_window->tabControl()->setCurrentIndex(0);
        makePage(QString());
        m_window->tabControl()->setCurrentIndex(3);
        QCOMPARE(m_view->localPages.size(), size_t(1));
        QVERIFY(m_view->localPages.front().contains(u"没有配置价值页面服务器"_s));
        QVERIFY(m_view->localPages.front().contains(u"TAVRIN_VALUE_URL"_s));
        QVERIFY(evaluate(u"600519"_s));
        QCOMPARE(label(names::valueCodeLabel)->text(), u"贵州茅台"_s);
        QVERIFY(m_view->opened.empty());
        QCOMPARE(m_view->localPages.size(), size_t(2));
    }

    void indexCodesUseTheirOwnMarket_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("000001 asks sh") << u"000001"_s << u"上证指数"_s;
        QTest::newRow("399001 asks sz") << u"399001"_s << u"深证成指"_s;
        QTest::newRow("0 asks sz") << u"002202"_s << u"金风科技"_s;
        QTest::newRow("3 asks sz") << u"301072"_s << u"中捷精工"_s;
    }

    void indexCodesUseTheirOwnMarket() {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QVERIFY(evaluate(code));
        QCOMPARE(label(names::valueCodeLabel)->text(), name);
        QCOMPARE(m_view->opened, std::vector<QUrl>{valuePageUrl(m_sim.baseUrl(), code)});
        QVERIFY(m_messages.shown.empty());
    }

    void labelsTextsAndColours() {
        QCOMPARE(m_sim.admin(u"/admin/price?code=sh600519&price=1700.00&prev=1680.00"_s), QByteArray("ok"));
        QVERIFY(evaluate(u"600519"_s));
        QCOMPARE(label(names::valueCodeLabel)->text(), u"贵州茅台"_s);
        QCOMPARE(label(names::valuePriceLabel)->text(), u"1700.00↑"_s);
        QCOMPARE(label(names::valueChangeLabel)->text(), u"1.19%"_s);
        QVERIFY(!label(names::valueOpenLabel)->text().isEmpty());
        QCOMPARE(textColour(label(names::valuePriceLabel)), QColor(255, 0, 0));
        QCOMPARE(textColour(label(names::valueChangeLabel)), QColor(255, 0, 0));
    }

    void risingAfterFallingReplacesArrowAndColours() {
        m_sim.admin(u"/admin/price?code=sh600519&price=1650.00&prev=1680.00"_s);
        QVERIFY(evaluate(u"600519"_s));
        QCOMPARE(label(names::valuePriceLabel)->text(), u"1650.00↓"_s);
        QCOMPARE(textColour(label(names::valuePriceLabel)), QColor(0, 0, 255));
        QCOMPARE(textColour(label(names::valueChangeLabel)), QColor(0, 0, 255));

        m_sim.admin(u"/admin/price?code=sh600519&price=1700.00&prev=1680.00"_s);
        QVERIFY(evaluate(u"600519"_s));
        QCOMPARE(label(names::valuePriceLabel)->text(), u"1700.00↑"_s);
        QCOMPARE(textColour(label(names::valuePriceLabel)), QColor(255, 0, 0));
        QCOMPARE(textColour(label(names::valueChangeLabel)), QColor(255, 0, 0));
    }

    void unchangedPriceKeepsTheColours() {
        m_sim.admin(u"/admin/price?code=sh600519&price=1650.00&prev=1680.00"_s);
        QVERIFY(evaluate(u"600519"_s));
        m_sim.admin(u"/admin/price?code=sh600519&price=1680.00&prev=1680.00"_s);
        QVERIFY(evaluate(u"600519"_s));
        QCOMPARE(label(names::valuePriceLabel)->text(), u"1680.00"_s);
        QCOMPARE(label(names::valueChangeLabel)->text(), u"0%"_s);
        QCOMPARE(textColour(label(names::valuePriceLabel)), QColor(0, 0, 255));
    }

    void previousCloseZeroShowsNoPercent() {
        m_sim.admin(u"/admin/price?code=sh600519&price=1700.00&prev=0"_s);
        QVERIFY(evaluate(u"600519"_s));
        QCOMPARE(label(names::valuePriceLabel)->text(), u"1700.00↑"_s);
        QCOMPARE(label(names::valueChangeLabel)->text(), QString());
    }

    void otherMarketsAreRefused_data() {
        QTest::addColumn<QString>("code");
        QTest::newRow("200002") << u"200002"_s;
        QTest::newRow("900901") << u"900901"_s;
    }

    void otherMarketsAreRefused() {
        QFETCH(QString, code);
        QVERIFY(evaluate(u"600519"_s));
        const QString price = label(names::valuePriceLabel)->text();
        const auto opened = m_view->opened;
        const qint64 before = requests();
        QSignalSpy evaluated(m_page.get(), &ValuePage::evaluated);

        control<QLineEdit>(names::valueCodeBox)->setText(code);
        QTest::mouseClick(control<QToolButton>(names::valueQueryButton), Qt::LeftButton);

        QCOMPARE(m_messages.shown.size(), size_t(1));
        QCOMPARE(m_messages.shown.front(),
                 (Message{u"只支持沪深A股"_s, u"信息："_s, MessageIcon::None, MessageOwner::MainWindow}));
        QVERIFY(!evaluated.wait(300));
        QCOMPARE(requests(), before);
        QCOMPARE(label(names::valuePriceLabel)->text(), price);
        QCOMPARE(label(names::valueCodeLabel)->text(), u"贵州茅台"_s);
        QCOMPARE(m_view->opened, opened);
    }

    void unreadableRepliesKeepTheLabelsAndOpenThePage_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("few fields") << u"few-fields"_s;
        QTest::newRow("empty") << u"empty"_s;
        QTest::newRow("dropped") << u"drop"_s;
        QTest::newRow("unknown to the service") << QString();
    }

    void unreadableRepliesKeepTheLabelsAndOpenThePage() {
        QFETCH(QString, fault);
        QVERIFY(evaluate(u"600519"_s));
        const QString name = label(names::valueCodeLabel)->text();
        const QString price = label(names::valuePriceLabel)->text();
        const QString code = fault.isEmpty() ? u"699999"_s : u"600036"_s;
        if (!fault.isEmpty())
            QCOMPARE(m_sim.admin(u"/admin/fault?mode=%1&code=600036"_s.arg(fault)), QByteArray("ok"));

        QVERIFY(evaluate(code));

        QCOMPARE(label(names::valueCodeLabel)->text(), name);
        QCOMPARE(label(names::valuePriceLabel)->text(), price);
        QCOMPARE(m_view->opened.back(), valuePageUrl(m_sim.baseUrl(), code));
        QVERIFY(m_messages.shown.empty());
    }

    void aSlowAnswerOvertakenByANewerPressIsDropped() {
        QCOMPARE(m_sim.admin(u"/admin/fault?mode=latency&code=600519&ms=800"_s), QByteArray("ok"));
        QSignalSpy evaluated(m_page.get(), &ValuePage::evaluated);
        auto* box = control<QLineEdit>(names::valueCodeBox);
        auto* button = control<QToolButton>(names::valueQueryButton);
        box->setText(u"600519"_s);
        QTest::mouseClick(button, Qt::LeftButton);
        box->setText(u"002202"_s);
        QTest::mouseClick(button, Qt::LeftButton);

        QVERIFY(evaluated.wait(10000));
        // The answers arrive in the order asked: the first one was already passed over.
        QCOMPARE(evaluated.size(), 1);
        QCOMPARE(evaluated.first().first().toString(), u"002202"_s);
        QCOMPARE(label(names::valueCodeLabel)->text(), u"金风科技"_s);
        QCOMPARE(m_view->opened, std::vector<QUrl>{pageFor("002202")});
    }

    void theWindowAnswersWhileTheQuoteIsUnderWay() {
        QCOMPARE(m_sim.admin(u"/admin/fault?mode=latency&code=600519&ms=1000"_s), QByteArray("ok"));
        QSignalSpy evaluated(m_page.get(), &ValuePage::evaluated);
        control<QLineEdit>(names::valueCodeBox)->setText(u"600519"_s);
        QTest::mouseClick(control<QToolButton>(names::valueQueryButton), Qt::LeftButton);
        // Returned at once: the box can be typed in while the request waits.
        QCOMPARE(evaluated.size(), 0);
        QTest::keyClicks(control<QLineEdit>(names::valueCodeBox), u"9"_s);
        QCOMPARE(control<QLineEdit>(names::valueCodeBox)->text(), u"6005199"_s);
        QVERIFY(evaluated.wait(10000));
        QCOMPARE(evaluated.first().first().toString(), u"600519"_s);
    }
};

QTEST_MAIN(ValuePageTest)
#include "test_value_page.moc"
