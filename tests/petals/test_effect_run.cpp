#include "petals/effect_library.h"
#include "petals/effect_run.h"
#include "petals/effect_window.h"
#include "petals/petal_field.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>

using namespace tavrin::petals;
using namespace Qt::StringLiterals;

namespace {

// One effect run with during() called inside its loop; the run is closed
// afterwards if during() left it open, and a watchdog ends a run that hangs.
int runWith(const std::function<void(EffectRun&)>& during) {
    QObject context;
    QTimer::singleShot(0, &context, [&] {
        EffectRun* run = currentEffectRun();
        if (!run)
            return;
        QPointer<EffectWindow> window = &run->window();
        during(*run);
        if (window && window->isVisible())
            window->close();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &context, [] {
        if (EffectRun* run = currentEffectRun())
            run->window().close();
    });
    watchdog.start(30000);
    return runRoseEffect();
}

bool anyMenuVisible() {
    const auto widgets = QApplication::topLevelWidgets();
    return std::any_of(widgets.begin(), widgets.end(),
                       [](QWidget* w) { return qobject_cast<QMenu*>(w) && w->isVisible(); });
}

} // namespace

class EffectRunTest : public QObject {
    Q_OBJECT
private slots:
    void theWindowCoversThePrimaryScreen();
    void theRunEnds_data();
    void theRunEnds();
    void aRightReleaseOpensTheMenuAtThatPoint();
    void aDoubleClickAddsAPetalCentredThere();
    void theFrameTimerTopsUpAndMoves();
    void passThroughIsSwitchedOnceUntilTheNextRun();
    void theTrayMenuExportOpensAtTheCursorDuringARunOnly();
    void aSecondCallDuringARunIsRefused();
    void theHostsTimersKeepFiring();
    void aSecondRunCarriesThePetalsOn();
    // Last: a quit leaves the thread's later event loops ending at once.
    void theHostQuittingEndsTheRun();
};

void EffectRunTest::theWindowCoversThePrimaryScreen() {
    QRect geometry;
    QString title;
    Qt::WindowFlags flags;
    bool visible = false;
    QString tip;
    QList<QSize> iconSizes;
    const int result = runWith([&](EffectRun& run) {
        geometry = run.window().geometry();
        title = run.window().windowTitle();
        flags = run.window().windowFlags();
        visible = run.window().isVisible();
        tip = run.trayIcon().toolTip();
        iconSizes = run.trayIcon().icon().availableSizes();
    });
    QCOMPARE(result, 0);
    QCOMPARE(geometry, QGuiApplication::primaryScreen()->geometry());
    QCOMPARE(title, u"Lumeve"_s);
    QVERIFY(visible);
    QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QCOMPARE(tip, u"Lumeve"_s);
    QCOMPARE(iconSizes, QList<QSize>{QSize(16, 16)});
}

void EffectRunTest::theRunEnds_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << u"escape"_s;
    QTest::newRow("Enter") << u"return"_s;
    QTest::newRow("keypad Enter") << u"enter"_s;
    QTest::newRow("退出 from the menu") << u"menu"_s;
    QTest::newRow("a system close") << u"close"_s;
}

void EffectRunTest::theRunEnds() {
    QFETCH(QString, how);
    QPointer<EffectWindow> window;
    QPointer<QSystemTrayIcon> tray;
    bool endedHere = false;
    const int result = runWith([&](EffectRun& run) {
        window = &run.window();
        tray = &run.trayIcon();
        if (how == u"escape")
            QTest::keyClick(window, Qt::Key_Escape);
        else if (how == u"return")
            QTest::keyClick(window, Qt::Key_Return);
        else if (how == u"enter")
            QTest::keyClick(window, Qt::Key_Enter, Qt::KeypadModifier);
        else if (how == u"menu")
            run.menu().actions().last()->trigger();
        else
            window->close();
        endedHere = !window->isVisible();
    });
    QVERIFY(endedHere);
    QCOMPARE(result, 0);
    QVERIFY(!window);
    QVERIFY(!tray);
    QCOMPARE(currentEffectRun(), nullptr);
}

void EffectRunTest::aRightReleaseOpensTheMenuAtThatPoint() {
    bool openedOnLeft = true;
    bool opened = false;
    QPoint menuAt;
    QPoint expected;
    QStringList entries;
    bool checkable = false;
    bool checked = true;
    runWith([&](EffectRun& run) {
        QTest::mouseRelease(&run.window(), Qt::LeftButton, {}, QPoint(200, 150));
        openedOnLeft = run.menu().isVisible();
        QTest::mouseRelease(&run.window(), Qt::RightButton, {}, QPoint(200, 150));
        opened = run.menu().isVisible();
        menuAt = run.menu().pos();
        expected = run.window().mapToGlobal(QPoint(200, 150));
        for (const QAction* a : run.menu().actions())
            entries << (a->isSeparator() ? u"-"_s : a->text());
        checkable = run.menu().actions().first()->isCheckable();
        checked = run.menu().actions().first()->isChecked();
        run.menu().close();
    });
    QVERIFY(!openedOnLeft);
    QVERIFY(opened);
    QCOMPARE(menuAt, expected);
    QCOMPARE(entries, (QStringList{u"启用鼠标穿透"_s, u"-"_s, u"退出"_s}));
    QVERIFY(checkable);
    QVERIFY(!checked);
}

void EffectRunTest::aDoubleClickAddsAPetalCentredThere() {
    std::size_t before = 0;
    std::size_t after = 0;
    Petal added;
    runWith([&](EffectRun& run) {
        before = libraryPetalField().petals().size();
        QTest::mouseDClick(&run.window(), Qt::LeftButton, {}, QPoint(10, 20));
        after = libraryPetalField().petals().size();
        added = libraryPetalField().petals().back();
    });
    QCOMPARE(after, before + 1);
    QCOMPARE(added.x, static_cast<int>(10 - added.width / 2.0));
    QCOMPARE(added.y, static_cast<int>(20 - added.height / 2.0));
    QVERIFY(added.picture >= 1 && added.width > 0);
}

void EffectRunTest::theFrameTimerTopsUpAndMoves() {
    const std::size_t carried = libraryPetalField().petals().size();
    std::size_t atStart = 0;
    bool toppedUp = false;
    bool frameChanged = false;
    runWith([&](EffectRun& run) {
        atStart = libraryPetalField().petals().size();
        const QImage first = run.frame().copy();
        // Waits for ticks; asserts nothing about how long they take.
        QTRY_VERIFY_WITH_TIMEOUT(libraryPetalField().petals().size() >= 20, 10000);
        toppedUp = true;
        QTRY_VERIFY_WITH_TIMEOUT(run.frame() != first, 10000);
        frameChanged = true;
    });
    QCOMPARE(atStart, carried + 6);
    QVERIFY(toppedUp);
    QVERIFY(frameChanged);
}

void EffectRunTest::passThroughIsSwitchedOnceUntilTheNextRun() {
    bool checked = false;
    bool enabled = true;
    bool passThrough = false;
    bool transparentForInput = false;
    bool translucent = false;
    bool visible = false;
    QRect geometry;
    bool frameHasAlpha = false;
    runWith([&](EffectRun& run) {
        QAction* entry = run.menu().actions().first();
        entry->trigger();
        entry->trigger(); // disabled now: nothing more happens
        checked = entry->isChecked();
        enabled = entry->isEnabled();
        passThrough = run.isPassThrough();
        transparentForInput = run.window().windowFlags().testFlag(Qt::WindowTransparentForInput);
        translucent = run.window().testAttribute(Qt::WA_TranslucentBackground) &&
                      run.window().windowHandle()->requestedFormat().hasAlpha();
        visible = run.window().isVisible();
        geometry = run.window().geometry();
        frameHasAlpha = run.frame().hasAlphaChannel();
    });
    QVERIFY(checked);
    QVERIFY(!enabled);
    QVERIFY(passThrough);
    QVERIFY(transparentForInput);
    QVERIFY(translucent);
    QVERIFY(visible);
    QCOMPARE(geometry, QGuiApplication::primaryScreen()->geometry());
    QVERIFY(frameHasAlpha);

    runWith([&](EffectRun& run) {
        QAction* entry = run.menu().actions().first();
        checked = entry->isChecked();
        enabled = entry->isEnabled();
        passThrough = run.isPassThrough();
        transparentForInput = run.window().windowFlags().testFlag(Qt::WindowTransparentForInput);
        frameHasAlpha = run.frame().hasAlphaChannel();
    });
    QVERIFY(!checked);
    QVERIFY(enabled);
    QVERIFY(!passThrough);
    QVERIFY(!transparentForInput);
    QVERIFY(!frameHasAlpha);
}

void EffectRunTest::theTrayMenuExportOpensAtTheCursorDuringARunOnly() {
    popUpEffectMenu();
    QVERIFY(!anyMenuVisible());

    bool opened = false;
    QPoint menuAt;
    QPoint cursor;
    runWith([&](EffectRun& run) {
        QCursor::setPos(300, 200);
        cursor = QCursor::pos();
        popUpEffectMenu();
        opened = run.menu().isVisible();
        menuAt = run.menu().pos();
        run.menu().close();
    });
    QVERIFY(opened);
    QCOMPARE(menuAt, cursor);
    popUpEffectMenu();
    QVERIFY(!anyMenuVisible());
}

void EffectRunTest::aSecondCallDuringARunIsRefused() {
    int second = -1;
    bool stillRunning = false;
    EffectRun* during = nullptr;
    runWith([&](EffectRun& run) {
        during = &run;
        second = runRoseEffect();
        stillRunning = currentEffectRun() == &run && run.window().isVisible();
    });
    QCOMPARE(second, int(RunRefused));
    QVERIFY(stillRunning);
}

void EffectRunTest::theHostsTimersKeepFiring() {
    int ticks = 0;
    QTimer hostTimer;
    hostTimer.setInterval(20);
    // Only the host's timer ends this run, so the run returning shows that it fired.
    connect(&hostTimer, &QTimer::timeout, this, [&] {
        if (++ticks == 3)
            if (EffectRun* run = currentEffectRun())
                QTest::keyClick(&run->window(), Qt::Key_Escape);
    });
    hostTimer.start();
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [] {
        if (EffectRun* run = currentEffectRun())
            run->window().close();
    });
    watchdog.start(30000);
    QCOMPARE(runRoseEffect(), 0);
    QVERIFY(watchdog.isActive());
    QCOMPARE(ticks, 3);
}

void EffectRunTest::aSecondRunCarriesThePetalsOn() {
    std::vector<Petal> atEnd;
    runWith([&](EffectRun&) { atEnd = libraryPetalField().petals(); });
    std::vector<Petal> atStart;
    runWith([&](EffectRun&) { atStart = libraryPetalField().petals(); });
    QCOMPARE(atStart.size(), atEnd.size() + 6);
    QVERIFY(std::equal(atEnd.begin(), atEnd.end(), atStart.begin()));
}

void EffectRunTest::theHostQuittingEndsTheRun() {
    QPointer<EffectWindow> window;
    const int result = runWith([&](EffectRun& run) {
        window = &run.window();
        QCoreApplication::exit(0);
    });
    QCOMPARE(result, 0);
    QVERIFY(!window);
    QCOMPARE(currentEffectRun(), nullptr);
}

QTEST_MAIN(EffectRunTest)
#include "test_effect_run.moc"
