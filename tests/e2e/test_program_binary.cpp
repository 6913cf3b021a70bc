#include "store/database_file.h"
#include "store/stock_database.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

using namespace tavrin;

namespace {

enum class Fixture { NoFile, EmptyFile, TextFile, Database, ReadOnlyDatabase, NoTable };

std::optional<QByteArray> contents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool makeDatabase(const QString& path) {
    if (!provisionDatabaseFile(path))
        return false;
    StockDatabase database;
    if (!database.open(path))
        return false;
    return database.append({QStringLiteral("贵州茅台"), QStringLiteral("600519"), QStringLiteral("1700"),
                            QStringLiteral("100")}) &&
           database.append({QStringLiteral("平安银行"), QStringLiteral("000001"), QString(), QString()});
}

} // namespace

class ProgramBinaryTest : public QObject {
    Q_OBJECT

private slots:
    void startsAndEndsWithExitCodeZero_data() {
        QTest::addColumn<int>("fixture");
        QTest::newRow("no database file") << int(Fixture::NoFile);
        QTest::newRow("empty file") << int(Fixture::EmptyFile);
        QTest::newRow("text file") << int(Fixture::TextFile);
        QTest::newRow("database with stocks") << int(Fixture::Database);
        QTest::newRow("read-only database") << int(Fixture::ReadOnlyDatabase);
        QTest::newRow("database without table gupiao") << int(Fixture::NoTable);
    }

    void startsAndEndsWithExitCodeZero() {
        QFETCH(int, fixture);
        const auto kind = Fixture(fixture);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString database = dir.filePath(QStringLiteral("Database.db"));
        switch (kind) {
        case Fixture::NoFile:
            break;
        case Fixture::EmptyFile:
            QVERIFY(writeFile(database, {}));
            break;
        case Fixture::TextFile:
            QVERIFY(writeFile(database, "这不是数据库 / not a database\r\n"));
            break;
        case Fixture::Database:
        case Fixture::ReadOnlyDatabase:
            QVERIFY(makeDatabase(database));
            break;
        case Fixture::NoTable: {
            // A real SQLite file holding one unrelated table.
            QProcess sqlite;
            sqlite.start(QStringLiteral("sqlite3"),
                         {database, QStringLiteral("CREATE TABLE other (x TEXT);")});
            if (!sqlite.waitForFinished(10000) || sqlite.exitCode() != 0)
                QSKIP("the sqlite3 command is not available");
            break;
        }
        }
        if (kind == Fixture::ReadOnlyDatabase)
            QVERIFY(QFile::setPermissions(database, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                        QFileDevice::ReadOther));
        const std::optional<QByteArray> before = contents(database);

        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TAVRIN_DATA_DIR"), dir.path());
        environment.insert(QStringLiteral("TAVRIN_EXIT_AFTER_MS"), QStringLiteral("400"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(TAVRIN_EXECUTABLE), {});
        QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
        QVERIFY2(program.waitForFinished(60000), "the program did not end after its window closed");
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);

        const std::optional<QByteArray> after = contents(database);
        QVERIFY(after.has_value());
        if (kind == Fixture::NoFile) {
            // The first run provisions a database with an empty table.
            QVERIFY(after->startsWith(QByteArray("SQLite format 3\0", 16)));
            StockDatabase created;
            QVERIFY(created.open(database));
            const LoadResult loaded = created.loadAll();
            QVERIFY(loaded.ok());
            QVERIFY(loaded.records.empty());
        } else {
            QCOMPARE(QCryptographicHash::hash(*after, QCryptographicHash::Sha256).toHex(),
                     QCryptographicHash::hash(*before, QCryptographicHash::Sha256).toHex());
            QCOMPARE(after->size(), before->size());
        }
        // The log folder comes with a first run's database only.
        QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("log"))).isDir(), kind == Fixture::NoFile);
    }
};

QTEST_GUILESS_MAIN(ProgramBinaryTest)
#include "test_program_binary.moc"
