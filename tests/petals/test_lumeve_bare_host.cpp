#include "lumeve_names.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QTest>

// A host without a QApplication (here a QCoreApplication): the library refuses
// the run at once with a non-zero result, and its tray menu export does nothing.
class LumeveBareHostTest : public QObject {
    Q_OBJECT
private slots:
    void aRunIsRefused();
};

void LumeveBareHostTest::aRunIsRefused() {
    QLibrary library(QString::fromLocal8Bit(lumeveLibrary));
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    auto rose = reinterpret_cast<RoseFunction>(library.resolve(roseExport));
    auto trayMenu = reinterpret_cast<TrayMenuFunction>(library.resolve(trayMenuExport));
    QVERIFY(rose);
    QVERIFY(trayMenu);
    trayMenu();
    QCOMPARE(rose(), 1);
    QCOMPARE(rose(), 1);
}

QTEST_GUILESS_MAIN(LumeveBareHostTest)
#include "test_lumeve_bare_host.moc"
