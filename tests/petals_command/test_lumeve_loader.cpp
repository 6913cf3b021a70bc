#include "app/delivery/message_box_sink.h"
#include "app/petals_command/lumeve_loader.h"
#include "app/petals_command/petals_command.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tavrin;
using namespace Qt::StringLiterals;

namespace {

QString folderOf(const char* file) {
    return QFileInfo(QString::fromLocal8Bit(file)).absolutePath();
}

QString nativePath(const QString& folder) {
    return QDir::toNativeSeparators(QDir(folder).filePath(lumeveFileName()));
}

bool systemSearchFindsOne() {
    QLibrary library(lumeveFileName());
    const bool found = library.load();
    if (found)
        library.unload();
    return found;
}

} // namespace

// The real loader against real folders: the library beside the program, none,
// a file that is no library, a library without the export.
class LumeveLoaderTest : public QObject {
    Q_OBJECT
private slots:
    // Before any library is loaded: a loaded one answers the system search by its soname.
    void fileNameOfThePlatform();
    void emptyFolderIsMissingLibrary();
    void fileThatIsNoLibraryIsUnusable();
    void missingLibraryShowsAnErrorBoxAndReturns();
    void libraryWithoutTheExport();
    void bindsTheLibraryInItsFolder();
    void theProgramsFolderByDefault();
};

void LumeveLoaderTest::fileNameOfThePlatform() {
    QCOMPARE(lumeveFileName(), QFileInfo(QString::fromLocal8Bit(LUMEVE_LIBRARY)).fileName());
}

void LumeveLoaderTest::bindsTheLibraryInItsFolder() {
    LumeveLoader loader(folderOf(LUMEVE_LIBRARY));
    const LoadedEffect loaded = loader.load();
    QCOMPARE(loaded.failure, LoadFailure::None);
    QVERIFY(loaded.rose);
    QCOMPARE(loaded.library, nativePath(folderOf(LUMEVE_LIBRARY)));
}

void LumeveLoaderTest::theProgramsFolderByDefault() {
    if (QCoreApplication::applicationDirPath() != folderOf(LUMEVE_LIBRARY))
        QSKIP("the test program is not beside the library");
    LumeveLoader loader;
    const LoadedEffect loaded = loader.load();
    QVERIFY(loaded.rose);
    QCOMPARE(loaded.library, nativePath(QCoreApplication::applicationDirPath()));
}

void LumeveLoaderTest::emptyFolderIsMissingLibrary() {
    if (systemSearchFindsOne())
        QSKIP("the system's library search finds a Lumeve library");
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    LumeveLoader loader(empty.path());
    const LoadedEffect loaded = loader.load();
    QCOMPARE(loaded.failure, LoadFailure::LibraryMissing);
    QVERIFY(!loaded.rose);
    QCOMPARE(loaded.library, lumeveFileName());
    QCOMPARE(loaded.folder, QDir::toNativeSeparators(empty.path()));
}

void LumeveLoaderTest::fileThatIsNoLibraryIsUnusable() {
    if (systemSearchFindsOne())
        QSKIP("the system's library search finds a Lumeve library");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QFile file(QDir(folder.path()).filePath(lumeveFileName()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a library\n");
    file.close();
    LumeveLoader loader(folder.path());
    const LoadedEffect loaded = loader.load();
    QCOMPARE(loaded.failure, LoadFailure::LibraryUnusable);
    QVERIFY(!loaded.rose);
    QCOMPARE(loaded.library, nativePath(folder.path()));
    QVERIFY(!loaded.reason.isEmpty());
}

void LumeveLoaderTest::libraryWithoutTheExport() {
    LumeveLoader loader(folderOf(NO_ROSE_LIBRARY));
    const LoadedEffect loaded = loader.load();
    QCOMPARE(loaded.failure, LoadFailure::ExportMissing);
    QVERIFY(!loaded.rose);
    QCOMPARE(loaded.library, nativePath(folderOf(NO_ROSE_LIBRARY)));
}

void LumeveLoaderTest::missingLibraryShowsAnErrorBoxAndReturns() {
    if (systemSearchFindsOne())
        QSKIP("the system's library search finds a Lumeve library");
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    QWidget mainWindow;
    mainWindow.show();
    MessageBoxSink messages(mainWindow);
    PetalsCommand command(std::make_unique<LumeveLoader>(empty.path()), messages);

    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* owner = nullptr;
    QTimer dismiss;
    dismiss.setInterval(20);
    connect(&dismiss, &QTimer::timeout, this, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box || !box->isVisible())
                continue;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            owner = box->parentWidget();
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    dismiss.start();
    command.trigger(true);
    dismiss.stop();

    QCOMPARE(title, u"错误："_s);
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(owner, &mainWindow);
    QVERIFY2(text.contains(u"“libLumeve.so”"_s) && text.contains(u"“玫瑰花”"_s), qPrintable(text));
    QVERIFY(!command.isBound());
}

QTEST_MAIN(LumeveLoaderTest)
#include "test_lumeve_loader.moc"
