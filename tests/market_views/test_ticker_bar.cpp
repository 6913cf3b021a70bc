#include "app/market_views/ticker_bar.h"
#include "app/market_views/ticker_catalogue.h"
#include "app/market_views/ticker_holder.h"
#include "app/market_views/ticker_names.h"
#include "app/market_views/ticker_refresh.h"
#include "app/widgets/picture_box.h"
#include "tests/market_views/ticker_fakes.h"
#include "tests/support/quote_sim_process.h"

#include <QGroupBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace tavrin;
using namespace tavrin::test;
using namespace Qt::StringLiterals;

namespace names = ticker_names;

namespace {

QColor textColour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

} // namespace

// The ticker bar window: its design, its place against the main window, its labels and its close glyph.
class TickerBarTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_sim.start()); }
    void init() {
        m_mainFrame = QRect(100, 300, 466, 219);
        QCOMPARE(m_sim.admin(u"/admin/clear"_s), QByteArray("ok"));
    }

    void isBuiltAsDesigned_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("pixelSize");
        QTest::newRow("frame") << names::frame << u"window"_s << QRect(-1, -3, 465, 67) << QString() << 0;
        QTest::newRow("Shanghai caption")
            << names::shanghaiCaption << names::frame << QRect(28, 7, 78, 28) << u"上证指数:"_s << 14;
        QTest::newRow("Shanghai value")
            << names::shanghaiValue << names::frame << QRect(8, 39, 137, 20) << QString() << 12;
        QTest::newRow("Shenzhen caption")
            << names::shenzhenCaption << names::frame << QRect(183, 8, 72, 28) << u"深证成指:"_s << 14;
        QTest::newRow("Shenzhen value")
            << names::shenzhenValue << names::frame << QRect(166, 37, 120, 24) << QString() << 12;
        QTest::newRow("ChiNext caption, on the window")
            << names::chinextCaption << u"window"_s << QRect(340, 7, 72, 24) << u"创业板指:"_s << 14;
        QTest::newRow("ChiNext value")
            << names::chinextValue << names::frame << QRect(329, 36, 112, 24) << QString() << 12;
        QTest::newRow("close glyph") << names::closeGlyph << names::frame << QRect(427, 7, 24, 24)
                                     << QString() << 0;
    }
    void isBuiltAsDesigned() {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, rect);
        QFETCH(QString, caption);
        QFETCH(int, pixelSize);
        std::unique_ptr<TickerBar> bar = makeBar();
        auto* control = bar->control<QWidget>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget() == bar.get() ? u"window"_s : control->parentWidget()->objectName(),
                 container);
        QCOMPARE(control->geometry(), rect);
        if (auto* label = qobject_cast<QLabel*>(control)) {
            QCOMPARE(label->text(), caption);
            QCOMPARE(label->font().pixelSize(), pixelSize);
            QCOMPARE(textColour(label), QColor(Qt::black));
        }
        if (auto* group = qobject_cast<QGroupBox*>(control))
            QCOMPARE(group->title(), QString());
    }

    void isASmallTopMostToolWindow() {
        std::unique_ptr<TickerBar> bar = makeBar();
        QCOMPARE(bar->size(), QSize(452, 69));
        const Qt::WindowFlags flags = bar->windowFlags();
        QVERIFY(flags.testFlag(Qt::Tool));
        QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(bar->windowOpacity(), 232 / 255.0);
        QVERIFY(bar->mask().isEmpty());
        auto* glyph = bar->control<PictureBox>(names::closeGlyph);
        QVERIFY(glyph);
        const QImage picture = glyph->picture().toImage();
        QCOMPARE(picture.size(), QSize(19, 20));
        QCOMPARE(picture.pixelColor(0, 0), QColor(246, 246, 246));
        QCOMPARE(picture.pixelColor(9, 10).red(), picture.pixelColor(9, 10).blue()); // grey cross
        QVERIFY(picture.pixelColor(9, 10).red() < 160);
    }

    void refreshesEvery3sWithNoSweepAtCreation() {
        std::unique_ptr<TickerBar> bar = makeBar();
        QTimer* timer = bar->refreshTimer();
        QCOMPARE(timer->objectName(), QString::fromUtf8(names::refreshTimer));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 3000);
        QVERIFY(!bar->refresh().isBusy());
        for (int order = 0; order < 3; ++order)
            QCOMPARE(bar->valueLabel(order)->text(), QString());
    }

    // The creation's move and every later one end at main left + 8, on the main window's top edge.
    void restsDockedOnTheMainWindow_data() {
        QTest::addColumn<bool>("shown");
        QTest::newRow("hidden") << false;
        QTest::newRow("shown") << true;
    }
    void restsDockedOnTheMainWindow() {
        QFETCH(bool, shown);
        std::unique_ptr<TickerBar> bar = makeBar();
        if (shown) {
            bar->show();
            QVERIFY(QTest::qWaitForWindowExposed(bar.get()));
        }
        QCOMPARE(bar->frameGeometry().topLeft(), QPoint(108, 231));

        m_mainFrame = QRect(40, 500, 466, 270);
        bar->dockTo(m_mainFrame);
        QTRY_COMPARE(bar->frameGeometry().topLeft(), QPoint(48, 431));

        // A hidden bar hears of its move when it is shown.
        bar->move(600, 700);
        bar->show();
        QTRY_COMPARE(bar->frameGeometry().topLeft(), QPoint(48, 431));
        QCOMPARE(bar->size(), QSize(452, 69));
    }

    void labelsFollowTheIndices() {
        std::unique_ptr<TickerBar> bar = makeBar();
        QLabel* shanghai = bar->valueLabel(0);
        QSignalSpy applied(&bar->refresh(), &TickerRefresh::sweepApplied);
        const auto sweepWith = [&](const QString& price, const QString& previousClose) {
            QCOMPARE(
                m_sim.admin(u"/admin/price?code=sh000001&price="_s + price + u"&prev="_s + previousClose),
                QByteArray("ok"));
            const qsizetype before = applied.count();
            QVERIFY(bar->refresh().startSweep());
            QTRY_COMPARE(applied.count(), before + 1);
        };

        sweepWith(u"3000.00"_s, u"3000.00"_s);
        QCOMPARE(shanghai->text(), u"3000.00"_s);
        QCOMPARE(textColour(shanghai), QColor(Qt::black)); // the designed colour before the first change
        sweepWith(u"3012.34"_s, u"3000.00"_s);
        QCOMPARE(shanghai->text(), u"3012.34  0.41%↑"_s);
        QCOMPARE(textColour(shanghai), QColor(255, 0, 0));
        sweepWith(u"3000.00"_s, u"3000.00"_s);
        QCOMPARE(shanghai->text(), u"3000.00"_s);
        QCOMPARE(textColour(shanghai), QColor(255, 0, 0)); // unchanged keeps the colour
        sweepWith(u"2988.00"_s, u"3000.00"_s);
        QCOMPARE(shanghai->text(), u"2988.00  -0.4%↓"_s);
        QCOMPARE(textColour(shanghai), QColor(0, 0, 255));

        // Without network the labels keep their last values and colours.
        const QString shenzhen = bar->valueLabel(1)->text();
        QVERIFY(!shenzhen.isEmpty());
        const qsizetype balloons = m_notifier.balloons().size();
        QCOMPARE(m_sim.admin(u"/admin/fault?mode=empty"_s), QByteArray("ok"));
        const qsizetype before = applied.count();
        QVERIFY(bar->refresh().startSweep());
        QTRY_COMPARE(applied.count(), before + 1);
        QCOMPARE(shanghai->text(), u"2988.00  -0.4%↓"_s);
        QCOMPARE(textColour(shanghai), QColor(0, 0, 255));
        QCOMPARE(bar->valueLabel(1)->text(), shenzhen);
        QCOMPARE(m_notifier.balloons().size(), balloons + 1);
    }

    void aLeftPressOnTheCloseGlyphDestroysTheBarForGood_data() {
        QTest::addColumn<bool>("deletedYet");
        QTest::newRow("requests before the deletion") << false;
        QTest::newRow("requests after the deletion") << true;
    }
    void aLeftPressOnTheCloseGlyphDestroysTheBarForGood() {
        QFETCH(bool, deletedYet);
        TickerHolder holder;
        holder.hold(makeBar().release());
        QPointer<TickerBar> bar = holder.bar();
        holder.showBar();
        QVERIFY(QTest::qWaitForWindowExposed(bar.data()));
        auto* glyph = bar->control<QWidget>(names::closeGlyph);

        QTest::mouseClick(glyph, Qt::RightButton);
        QVERIFY(bar && bar->isVisible());
        QSignalSpy closed(bar.data(), &TickerBar::closed);
        QTest::mousePress(glyph, Qt::LeftButton);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!bar->isVisible());
        QVERIFY(!bar->refreshTimer()->isActive());
        if (deletedYet)
            QTRY_VERIFY(!bar);

        QCOMPARE(holder.bar(), nullptr);
        holder.showBar();
        holder.dockTo(QRect(300, 300, 466, 219));
        holder.hideBar();
        holder.showBar();
        holder.cancelTransfers();
        if (bar) {
            QVERIFY(!bar->isVisible());
            QCOMPARE(bar->frameGeometry().topLeft(), QPoint(108, 231));
        }
        QTRY_VERIFY(!bar);
        QCOMPARE(holder.bar(), nullptr);
    }

private:
    std::unique_ptr<TickerBar> makeBar() {
        return std::make_unique<TickerBar>([this] { return m_mainFrame; }, std::make_unique<RecordingHttp>(),
                                           m_sim.baseUrl(), m_notifier);
    }

    QuoteSimProcess m_sim{{u"--step-ms"_s, u"0"_s}};
    RecordingNotifier m_notifier;
    QRect m_mainFrame;
};

QTEST_MAIN(TickerBarTest)
#include "test_ticker_bar.moc"
