#include "app/main_window/docking.h"
#include "app/main_window/main_window.h"
#include "app/main_window/window_shell.h"
#include "store/watch_list_model.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QTest>
#include <chrono>
#include <memory>

using namespace tavrin;

// The main window's notification-area behaviour and the satellites' docking, on the
// real window (offscreen: no real tray, the icons' signals are emitted by the test).
class WindowShellTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WatchListModel> m_model;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<WindowShell> m_shell;
    bool m_tickerVisible = true;
    int m_dockCalls = 0;
    QRect m_dockedTo;

    void press(QSystemTrayIcon& icon, QSystemTrayIcon::ActivationReason reason) {
        emit icon.activated(reason);
    }
    bool centred() const {
        const QPoint centre = m_window->screen()->availableGeometry().center();
        return (m_window->frameGeometry().center() - centre).manhattanLength() <= 2;
    }

private slots:
    void init() {
        m_model = std::make_unique<WatchListModel>();
        m_window = std::make_unique<MainWindow>(m_model.get(), QIcon());
        m_tickerVisible = true;
        m_dockCalls = 0;
        WindowShell::Satellites satellites{
            .showTicker = [this] { m_tickerVisible = true; },
            .hideTicker = [this] { m_tickerVisible = false; },
            .dock =
                [this](const QRect& frame) {
                    ++m_dockCalls;
                    m_dockedTo = frame;
                },
        };
        m_shell = std::make_unique<WindowShell>(*m_window, *m_window->trayIcon(), QIcon(), satellites);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() {
        m_shell.reset();
        m_window.reset();
        m_model.reset();
    }

    void minimizeHidesBothAndPlacesTheOwnIcon() {
        QVERIFY(!m_shell->ownIcon().isVisible());
        QCOMPARE(m_shell->ownIcon().toolTip(), QStringLiteral("禾岫股价监控系统"));
        m_window->showMinimized();
        QTRY_VERIFY(!m_window->isVisible());
        QVERIFY(!m_tickerVisible);
        QVERIFY(m_shell->ownIcon().isVisible());
    }

    void ownIconLeftClickRestoresCentredAndRightClickHides() {
        m_window->move(10, 10);
        m_window->showMinimized();
        QTRY_VERIFY(!m_window->isVisible());
        press(m_shell->ownIcon(), QSystemTrayIcon::Trigger);
        QVERIFY(m_window->isVisible());
        QVERIFY(!m_window->isMinimized());
        QVERIFY(m_tickerVisible);
        QVERIFY(centred());
        QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(m_shell->ownIcon().isVisible());

        press(m_shell->ownIcon(), QSystemTrayIcon::Context);
        QVERIFY(!m_window->isVisible());
        QVERIFY(!m_tickerVisible);
        // A double click does nothing.
        press(m_shell->ownIcon(), QSystemTrayIcon::DoubleClick);
        QVERIFY(!m_window->isVisible());
    }

    void trayIconClickTogglesAndAlwaysBringsTheWindowBack() {
        QSystemTrayIcon& tray = *m_window->trayIcon();
        press(tray, QSystemTrayIcon::Trigger);
        QTRY_VERIFY(!m_window->isVisible());
        QVERIFY(!m_tickerVisible);
        // Hidden after a minimize: the click brings it back restored, not stuck minimized.
        press(tray, QSystemTrayIcon::Trigger);
        QVERIFY(m_window->isVisible());
        QVERIFY(!m_window->isMinimized());
        QVERIFY(m_tickerVisible);
        QVERIFY(centred());
        // Hidden by the own icon's right click: the tray icon brings it back too.
        press(m_shell->ownIcon(), QSystemTrayIcon::Context);
        press(tray, QSystemTrayIcon::Trigger);
        QVERIFY(m_window->isVisible());
        QVERIFY(!m_window->isMinimized());
    }

    void everyMoveDocksTheSatellites() {
        const int before = m_dockCalls;
        m_window->move(100, 300);
        QTRY_VERIFY(m_dockCalls > before);
        QCOMPARE(m_dockedTo.topLeft(), QPoint(100, 300));
        QCOMPARE(m_dockedTo.size(), m_window->frameGeometry().size());
    }

    void dockingArithmetic_data() {
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QRect>("quote");
        QTest::addColumn<QRect>("ticker");
        QTest::addColumn<QPoint>("tickerRedocked");
        // The design's own example: the ticker lands at 105, 231, then its re-dock moves it to 108.
        QTest::newRow("example") << QRect(100, 300, 466, 219) << QRect(567, 225, 575, 289)
                                 << QRect(105, 231, 452, 69) << QPoint(108, 231);
        QTest::newRow("design position") << QRect(50, 50, 466, 219) << QRect(517, -25, 575, 289)
                                         << QRect(55, -19, 452, 69) << QPoint(58, -19);
        QTest::newRow("taller") << QRect(0, 100, 466, 270) << QRect(467, 25, 575, 340)
                                << QRect(5, 31, 452, 69) << QPoint(8, 31);
    }

    void dockingArithmetic() {
        QFETCH(QRect, main);
        QFETCH(QRect, quote);
        QFETCH(QRect, ticker);
        QFETCH(QPoint, tickerRedocked);
        QCOMPARE(docking::quoteWindowPlacement(main, QRect(0, 0, 575, 408)), quote);
        QCOMPARE(docking::quoteWindowRedock(main), quote.topLeft());
        const QRect placed = docking::tickerPlacement(main, QRect(1325, 20, 452, 69));
        QCOMPARE(placed, ticker);
        QCOMPARE(docking::tickerRedock(main, placed), tickerRedocked);
    }

    // Steps: "a<ms>" or "b<ms>", a try towards place a or b at that time; "r", a
    // reset. Expected: per step, y (may move), n (held back) or - (the reset).
    void redockGuard_data() {
        QTest::addColumn<int>("maxTries");
        QTest::addColumn<int>("periodMs");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, int tries, int period, const char* steps,
                            const char* expected) {
            QTest::newRow(name) << tries << period << QString::fromLatin1(steps).split(u' ')
                                << QString::fromLatin1(expected);
        };
        row("ticker: four tries a second", 4, 1000, "a0 a10 a20 a30 a40 a999", "yyyynn");
        row("ticker: the next second tries again", 4, 1000, "a0 a1 a2 a3 a4 a1001 a1002", "yyyynyy");
        row("quote window: three tries, then its last word", 3, 0, "a0 a1 a2 a3 a60000", "yyynn");
        row("a new target counts anew", 3, 0, "a0 a1 a2 a3 b4 b5 b6 b7", "yyynyyyn");
        row("back to the first target counts anew", 3, 0, "a0 a1 a2 b3 a4", "yyyyy");
        row("a reset counts anew", 3, 0, "a0 a1 a2 a3 r a4 a5", "yyyn-yy");
        row("a reset restarts the second", 4, 1000, "a0 a1 a2 a3 r a500 a501 a502 a503 a504", "yyyy-yyyyn");
    }

    void redockGuard() {
        QFETCH(int, maxTries);
        QFETCH(int, periodMs);
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        QCOMPARE(steps.size(), expected.size());
        docking::RedockGuard guard(maxTries, std::chrono::milliseconds(periodMs));
        const docking::RedockGuard::Clock::time_point start{};
        QString got;
        for (const QString& step : steps) {
            if (step == u"r") {
                guard.reset();
                got += u'-';
                continue;
            }
            const QPoint target = step.startsWith(u'a') ? QPoint(108, 231) : QPoint(567, 225);
            const auto at = start + std::chrono::milliseconds(step.mid(1).toInt());
            got += guard.allow(target, at) ? u'y' : u'n';
        }
        QCOMPARE(got, expected);
    }
};

QTEST_MAIN(WindowShellTest)
#include "test_window_shell.moc"
