#include "store/database_file.h"
#include "tests/store/store_fixture.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrin;

class DatabaseFileTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunCreatesTheTable();
    void existingFileIsLeftAlone_data();
    void existingFileIsLeftAlone();
    void missingFolderIsReported();
};

void DatabaseFileTest::firstRunCreatesTheTable() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Database.db"));
    const ProvisionResult result = provisionDatabaseFile(path);
    QVERIFY2(result.ok(), qPrintable(result.reason()));
    QVERIFY(result.created);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Database.db")});

    fixture::RawDatabase raw(path);
    QStringList columns;
    for (int i = 0; i < 8; ++i) {
        const QString name =
            raw.value(QStringLiteral("SELECT name FROM pragma_table_info('gupiao') WHERE cid = ?"), {i})
                .toString();
        const QString type =
            raw.value(QStringLiteral("SELECT type FROM pragma_table_info('gupiao') WHERE cid = ?"), {i})
                .toString();
        columns << name + QLatin1Char(' ') + type;
    }
    QCOMPARE(columns, (QStringList{"ID INTEGER", "mingcheng TEXT", "daima TEXT", "cjjg TEXT", "cjsl TEXT",
                                   "yjjg TEXT", "yjnr TEXT", "suozai TEXT"}));
    QCOMPARE(
        raw.value(QStringLiteral("SELECT pk FROM pragma_table_info('gupiao') WHERE name = 'ID'")).toInt(), 1);
    QVERIFY2(raw.value(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'gupiao'"))
                 .toString()
                 .contains(QStringLiteral("AUTOINCREMENT")),
             "IDs are never reused");
    QCOMPARE(raw.value(QStringLiteral("SELECT count(*) FROM gupiao")).toInt(), 0);
}

void DatabaseFileTest::existingFileIsLeftAlone_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("empty file") << QByteArray() << false;
    QTest::newRow("not a database") << QByteArray("Standard Jet DB\0garbage", 23) << false;
    QTest::newRow("read-only file") << QByteArray("kept as it is") << true;

    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("existing.db"));
    QVERIFY(fixture::createDatabase(existing,
                                    {{1, "贵州茅台", "600519", "1700", "100", QVariant(), QVariant()}}));
    QTest::newRow("a database of its own") << fixture::readBytes(existing) << false;
}

void DatabaseFileTest::existingFileIsLeftAlone() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readOnly);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Database.db"));
    QVERIFY(fixture::writeBytes(path, bytes));
    if (readOnly)
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
    const QDateTime modified = QFileInfo(path).lastModified();

    const ProvisionResult result = provisionDatabaseFile(path);
    QVERIFY(result.ok());
    QVERIFY(!result.created);
    QCOMPARE(fixture::readBytes(path), bytes);
    QCOMPARE(QFileInfo(path).lastModified(), modified);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Database.db")});
}

void DatabaseFileTest::missingFolderIsReported() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/Database.db"));
    const ProvisionResult result = provisionDatabaseFile(path);
    QVERIFY(!result.ok());
    QVERIFY(!result.reason().isEmpty());
    QVERIFY(!QFileInfo::exists(path));
}

QTEST_GUILESS_MAIN(DatabaseFileTest)
#include "test_database_file.moc"
