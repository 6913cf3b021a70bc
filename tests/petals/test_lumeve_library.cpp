#include "lumeve_names.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <dlfcn.h>

using namespace Qt::StringLiterals;

namespace {

QWidget* effectWindow() {
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget* w : widgets)
        if (w->windowTitle() == u"Lumeve" && w->isVisible())
            return w;
    return nullptr;
}

QMenu* visibleMenu() {
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget* w : widgets)
        if (auto* menu = qobject_cast<QMenu*>(w); menu && menu->isVisible())
            return menu;
    return nullptr;
}

} // namespace

// The built library as the program meets it: loaded by file name into a
// process with a QApplication, its exports resolved by the GBK bytes of their names.
class LumeveLibraryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void theFileIsNamedForThePlatform();
    void theExportsAreFoundByTheirGbkBytes();
    void nothingElseIsExported();
    void oneRunThroughTheLoadedLibrary();

private:
    QLibrary m_library{QString::fromLocal8Bit(lumeveLibrary)};
    RoseFunction m_rose = nullptr;
    TrayMenuFunction m_trayMenu = nullptr;
};

void LumeveLibraryTest::initTestCase() {
    QVERIFY2(m_library.load(), qPrintable(m_library.errorString()));
    m_rose = reinterpret_cast<RoseFunction>(m_library.resolve(roseExport));
    m_trayMenu = reinterpret_cast<TrayMenuFunction>(m_library.resolve(trayMenuExport));
    QVERIFY(m_rose);
    QVERIFY(m_trayMenu);
}

void LumeveLibraryTest::theFileIsNamedForThePlatform() {
    QCOMPARE(QFileInfo(QString::fromLocal8Bit(lumeveLibrary)).fileName(), u"libLumeve.so"_s);
}

void LumeveLibraryTest::theExportsAreFoundByTheirGbkBytes() {
    void* handle = dlopen(lumeveLibrary, RTLD_NOW | RTLD_NOLOAD);
    QVERIFY(handle);
    QCOMPARE(dlsym(handle, roseExport), reinterpret_cast<void*>(m_rose));
    QCOMPARE(dlsym(handle, trayMenuExport), reinterpret_cast<void*>(m_trayMenu));
    // Not under the UTF-8 bytes, nor under the functions' own names.
    QVERIFY(!dlsym(handle, "玫瑰花"));
    QVERIFY(!dlsym(handle, "屏保_弹出托盘菜单"));
    QVERIFY(!dlsym(handle, "lumeve_rose_petals"));
    QVERIFY(!dlsym(handle, "lumeve_pop_up_tray_menu"));
    dlclose(handle);
}

void LumeveLibraryTest::nothingElseIsExported() {
    const QString nm = QStandardPaths::findExecutable(u"nm"_s);
    if (nm.isEmpty())
        QSKIP("nm is not installed");
    QProcess process;
    process.start(
        nm, {u"-D"_s, u"--defined-only"_s, u"--format=just-symbols"_s, QFile::decodeName(lumeveLibrary)});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QList<QByteArray> names = process.readAllStandardOutput().split('\n');
    // The linker's own markers are not functions of ours.
    const QList<QByteArray> linkerMarkers{"", "__bss_start", "_edata", "_end", "_init", "_fini"};
    names.removeIf([&](const QByteArray& name) { return linkerMarkers.contains(name); });
    std::sort(names.begin(), names.end());
    QList<QByteArray> expected{roseExport, trayMenuExport};
    std::sort(expected.begin(), expected.end());
    QCOMPARE(names, expected);
}

void LumeveLibraryTest::oneRunThroughTheLoadedLibrary() {
    // Outside a run the tray menu export does nothing.
    m_trayMenu();
    QVERIFY(!visibleMenu());

    QRect geometry;
    bool menuOnRightRelease = false;
    bool menuAtCursor = false;
    int secondCall = -1;
    int hostTicks = 0;
    int ticksAtStart = -1;
    QTimer host;
    host.setInterval(10);
    connect(&host, &QTimer::timeout, this, [&] {
        ++hostTicks;
        QWidget* window = effectWindow();
        if (!window || ticksAtStart >= 0)
            return;
        ticksAtStart = hostTicks;
        geometry = window->geometry();
        QTest::mouseRelease(window, Qt::RightButton, {}, QPoint(120, 90));
        QMenu* menu = visibleMenu();
        menuOnRightRelease = menu && menu->pos() == window->mapToGlobal(QPoint(120, 90));
        if (menu)
            menu->close();
        QCursor::setPos(333, 222);
        m_trayMenu();
        menu = visibleMenu();
        menuAtCursor = menu && menu->pos() == QCursor::pos();
        if (menu)
            menu->close();
        secondCall = m_rose();
    });
    // Ends the run a few host ticks later, so the host's timer must keep firing in it.
    connect(&host, &QTimer::timeout, this, [&] {
        if (ticksAtStart >= 0 && hostTicks == ticksAtStart + 3)
            if (QWidget* window = effectWindow())
                QTest::keyClick(window, Qt::Key_Escape);
    });
    host.start();
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [] {
        if (QWidget* window = effectWindow())
            window->close();
    });
    watchdog.start(30000);

    QCOMPARE(m_rose(), 0);
    QVERIFY(watchdog.isActive());
    QCOMPARE(geometry, QGuiApplication::primaryScreen()->geometry());
    QVERIFY(menuOnRightRelease);
    QVERIFY(menuAtCursor);
    QCOMPARE(secondCall, 1);
    QCOMPARE(hostTicks, ticksAtStart + 3);
    QVERIFY(!effectWindow());
}

QTEST_MAIN(LumeveLibraryTest)
#include "test_lumeve_library.moc"
