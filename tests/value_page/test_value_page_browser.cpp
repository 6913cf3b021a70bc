#include "app/main_window/main_window.h"
#include "app/main_window/main_window_names.h"
#include "app/main_window/program_pictures.h"
#include "app/value_page/page_view_factory.h"
#include "app/value_page/system_browser_view.h"
#include "app/value_page/value_page.h"
#include "app/widgets/tab_control.h"
#include "platform/curl_http_client.h"
#include "store/watch_list_model.h"
#include "tests/app/edit_fixture.h"
#include "tests/support/quote_sim_process.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace tavrin;
using namespace Qt::StringLiterals;
namespace names = tavrin::main_window_names;

namespace {

// Whether Qt WebEngine is loaded into this process (Linux: its mappings).
bool webEngineLoaded() {
    QFile maps(u"/proc/self/maps"_s);
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

} // namespace

// The value page with the browser this build has, against the simulator's pages.
class ValuePageBrowserTest : public QObject {
    Q_OBJECT

private slots:
    void valuationPagesLoad() {
        QuoteSimProcess sim;
        QVERIFY(sim.start());
        WatchListModel model;
        MainWindow window(&model, programIcon());
        FakeMessages messages;
        ValuePage page(window, messages, {sim.baseUrl(), sim.baseUrl()}, std::make_unique<CurlHttpClient>());
        window.show();
        window.tabControl()->setCurrentIndex(1);
        // Nothing of the browser before its page is shown.
        QVERIFY(!webEngineLoaded());
        window.tabControl()->setCurrentIndex(3);
        QVERIFY(page.pageView());

        if (!hasEmbeddedBrowser()) {
            auto* note = window.findChild<QLabel*>(u"valuePageNote"_s);
            QVERIFY(note);
            QCOMPARE(note->text(), systemBrowserNote());
            return;
        }
        QVERIFY(webEngineLoaded());
        QSignalSpy loaded(page.pageView(), &PageView::loadFinished);
        QVERIFY(loaded.wait(30000));
        QCOMPARE(loaded.last().first().toBool(), true);
        QCOMPARE(page.pageView()->title(), u"投资价值 002202"_s);

        loaded.clear();
        window.requiredControl<QLineEdit>(names::valueCodeBox)->setText(u"000001"_s);
        QTest::mouseClick(window.requiredControl<QToolButton>(names::valueQueryButton), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), 30000);
        QCOMPARE(loaded.last().first().toBool(), true);
        QCOMPARE(page.pageView()->title(), u"投资价值 000001"_s);
        QCOMPARE(window.requiredControl<QLabel>(names::valueCodeLabel)->text(), u"上证指数"_s);
    }
};

QTEST_MAIN(ValuePageBrowserTest)
#include "test_value_page_browser.moc"
