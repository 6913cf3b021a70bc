#include "platform/data_directory.h"
#include "tests/support/scoped_env.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrin;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class DataDirectoryTest : public QObject {
    Q_OBJECT
private slots:
    void choice_data();
    void choice();
    void relativeEnvironmentPathBecomesAbsolute();
    void writableDirectoryIsTriedForReal();
    void resolveFollowsTheEnvironment();
    void resolveWithoutEnvironmentUsesWritableProgramFolder();
    void fileNames();
    void provisionCreatesFolderAndLog();
    void provisionLeavesExistingFilesAlone();
    void logFolderOnlyOnAFirstRun();
    void provisionReportsFailure();
};

void DataDirectoryTest::choice_data() {
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("programWritable");
    QTest::addColumn<QString>("appData");
    QTest::addColumn<QString>("expected");

    QTest::newRow("environment wins") << "/env/data"
                                      << "/opt/tavrin" << true << "/home/u/.local/share/Tavrin"
                                      << "/env/data";
    QTest::newRow("writable program folder") << ""
                                             << "/opt/tavrin" << true << "/home/u/.local/share/Tavrin"
                                             << "/opt/tavrin";
    QTest::newRow("read-only program folder") << ""
                                              << "/opt/tavrin" << false << "/home/u/.local/share/Tavrin"
                                              << "/home/u/.local/share/Tavrin";
    QTest::newRow("paths are cleaned") << "/env//data/sub/../"
                                       << "" << false << ""
                                       << "/env/data";
    QTest::newRow("nothing better than the read-only program folder") << ""
                                                                      << "/opt/tavrin" << false << ""
                                                                      << "/opt/tavrin";
}

void DataDirectoryTest::choice() {
    QFETCH(QString, environment);
    QFETCH(QString, program);
    QFETCH(bool, programWritable);
    QFETCH(QString, appData);
    QFETCH(QString, expected);
    // Absolute in the platform's own form (a drive letter on Windows).
    QCOMPARE(chooseDataDirectory({environment, program, programWritable, appData}),
             QDir::cleanPath(QFileInfo(expected).absoluteFilePath()));
}

void DataDirectoryTest::relativeEnvironmentPathBecomesAbsolute() {
    const QString chosen = chooseDataDirectory({QStringLiteral("rel/data"), QString(), false, QString()});
    QVERIFY(QDir::isAbsolutePath(chosen));
    QCOMPARE(chosen, QDir::cleanPath(QDir::current().absoluteFilePath(QStringLiteral("rel/data"))));
}

void DataDirectoryTest::writableDirectoryIsTriedForReal() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(isWritableDirectory(dir.path()));
    QVERIFY2(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty(),
             "the probe leaves nothing behind");

    QVERIFY(!isWritableDirectory(dir.filePath(QStringLiteral("missing"))));
    writeFile(dir.filePath(QStringLiteral("plain")), "x");
    QVERIFY(!isWritableDirectory(dir.filePath(QStringLiteral("plain"))));
    QVERIFY(!isWritableDirectory(QString()));
}

void DataDirectoryTest::resolveFollowsTheEnvironment() {
    QTemporaryDir dir;
    ScopedEnv env("TAVRIN_DATA_DIR", dir.path().toLocal8Bit());
    QCOMPARE(DataDirectory::resolve().path(), QDir::cleanPath(dir.path()));
}

void DataDirectoryTest::resolveWithoutEnvironmentUsesWritableProgramFolder() {
    ScopedEnv env("TAVRIN_DATA_DIR", QByteArray());
    // The test program's own build folder is writable.
    QCOMPARE(DataDirectory::resolve().path(), QDir::cleanPath(QCoreApplication::applicationDirPath()));
}

void DataDirectoryTest::fileNames() {
    const DataDirectory dir(QStringLiteral("/data/tavrin"));
    QCOMPARE(dir.databaseFile(), QStringLiteral("/data/tavrin/Database.db"));
    QCOMPARE(dir.settingsFile(), QStringLiteral("/data/tavrin/gupiao.ini"));
    QCOMPARE(dir.logDirectory(), QStringLiteral("/data/tavrin/log"));
}

void DataDirectoryTest::provisionCreatesFolderAndLog() {
    QTemporaryDir root;
    const DataDirectory dir(root.filePath(QStringLiteral("a/b/数据")));
    const Status provisioned = dir.provision();
    QVERIFY2(provisioned, qPrintable(provisioned.reason()));
    QVERIFY(QFileInfo(dir.path()).isDir());
    QVERIFY(QFileInfo(dir.logDirectory()).isDir());
    QVERIFY2(!QFileInfo::exists(dir.databaseFile()), "the database file is the store's to create");
    QVERIFY2(dir.provision(), "a second run finds everything in place");
}

void DataDirectoryTest::provisionLeavesExistingFilesAlone() {
    QTemporaryDir root;
    const DataDirectory dir(root.path());
    writeFile(dir.databaseFile(), "not touched");
    writeFile(dir.settingsFile(), "[股票时间]\r\n");
    QVERIFY(QDir().mkpath(dir.logDirectory()));
    writeFile(QDir(dir.logDirectory()).filePath(QStringLiteral("2024-1-2.txt")), "line\r\n");

    QVERIFY(dir.provision());
    QCOMPARE(readFile(dir.databaseFile()), QByteArray("not touched"));
    QCOMPARE(readFile(dir.settingsFile()), QByteArray("[股票时间]\r\n"));
    QCOMPARE(readFile(QDir(dir.logDirectory()).filePath(QStringLiteral("2024-1-2.txt"))),
             QByteArray("line\r\n"));
}

void DataDirectoryTest::logFolderOnlyOnAFirstRun() {
    QTemporaryDir root;
    const DataDirectory dir(root.path());
    writeFile(dir.databaseFile(), "an existing watch list");
    QVERIFY(dir.provision());
    QVERIFY2(!QFileInfo::exists(dir.logDirectory()), "a removed log folder stays removed");
}

void DataDirectoryTest::provisionReportsFailure() {
    QTemporaryDir root;
    const QString plain = root.filePath(QStringLiteral("plain"));
    writeFile(plain, "a file, not a folder");

    const Status plainFailed = DataDirectory(plain).provision();
    QVERIFY(!plainFailed);
    QVERIFY(!plainFailed.message().isEmpty() && !plainFailed.detail().isEmpty());
    QCOMPARE(readFile(plain), QByteArray("a file, not a folder"));

    // A file named log is in the way of the log folder.
    const DataDirectory blocked(root.filePath(QStringLiteral("blocked")));
    QVERIFY(QDir().mkpath(blocked.path()));
    writeFile(blocked.logDirectory(), "x");
    const Status blockedFailed = blocked.provision();
    QVERIFY(!blockedFailed);
    QVERIFY(blockedFailed.detail().contains(QStringLiteral("log")));
    QVERIFY(blockedFailed.message().contains(QStringLiteral("日志")));

    QVERIFY(!DataDirectory(QString()).provision());
}

QTEST_GUILESS_MAIN(DataDirectoryTest)
#include "test_data_directory.moc"
