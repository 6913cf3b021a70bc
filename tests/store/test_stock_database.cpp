#include "store/database_file.h"
#include "store/stock_database.h"
#include "tests/store/store_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace tavrin;
using fixture::RawDatabase;

namespace {

QStringList ids(const std::vector<StockRecord>& records) {
    QStringList result;
    for (const StockRecord& record : records)
        result << record.id;
    return result;
}

// The stocks most tests start from; two rows share the code 002202.
std::vector<fixture::Row> watchList() {
    return {
        {1, "贵州茅台", "600519", "1700", "100", QVariant(), QVariant()},
        {2, "金风科技", "002202", "9.8", "1000", "12", "上涨到"},
        {3, "金风二号", "002202", "10", "200", QVariant(), QVariant()},
        {4, "引号股", "12'456", QVariant(), QVariant(), QVariant(), QVariant()},
        {5, "全角", "０００００１", QVariant(), QVariant(), QVariant(), QVariant()},
    };
}

// Makes a file read-only even for a process that ignores permission bits (root).
// Puts everything back when it goes.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QString& path) : m_path(path) {
        QFile::setPermissions(m_path,
                              QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        if (!writable())
            return;
        const QString chattr = QStandardPaths::findExecutable(QStringLiteral("chattr"));
        if (!chattr.isEmpty() && QProcess::execute(chattr, {QStringLiteral("+i"), m_path}) == 0)
            m_immutable = true;
    }
    ~ReadOnlyFile() {
        if (m_immutable)
            QProcess::execute(QStandardPaths::findExecutable(QStringLiteral("chattr")),
                              {QStringLiteral("-i"), m_path});
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool writable() const {
        QFile file(m_path);
        return file.open(QIODevice::ReadWrite);
    }

private:
    QString m_path;
    bool m_immutable = false;
};

enum class Trouble { Missing, NotADatabase, EmptyFile, Damaged, ReadOnly, LockedForWriting };

} // namespace

Q_DECLARE_METATYPE(Trouble)

class StockDatabaseTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void locate_data();
    void locate();
    void deleteRemovesExactlyThatId();
    void deleteWithoutNumericIdDeletesNothing_data();
    void deleteWithoutNumericIdDeletesNothing();
    void appendStoresEmptyTextAsNull();
    void textsAreKeptExactly_data();
    void textsAreKeptExactly();
    void updateSetsFieldsOfTheLocatedRowOnly();
    void updateIsAllOrNothing();
    void updateOfUnknownIdFails();
    void failuresAreReportedAndTheFileIsKept_data();
    void failuresAreReportedAndTheFileIsKept();
    void reopensWhenTheFileTurnsUp();
    void pathWithUnusualCharacters();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void StockDatabaseTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("Database.db"));
}

void StockDatabaseTest::cleanup() {
    m_dir.reset();
}

void StockDatabaseTest::locate_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("id"); // empty: not found

    QTest::newRow("exact") << "600519"
                           << "1";
    QTest::newRow("duplicate code finds the first in table order") << "002202"
                                                                   << "2";
    QTest::newRow("trailing space") << "002202 "
                                    << "";
    QTest::newRow("leading space") << " 002202"
                                   << "";
    QTest::newRow("full-width digits match only themselves") << "０００００１"
                                                             << "5";
    QTest::newRow("ASCII digits do not match full-width ones") << "000001"
                                                               << "";
    QTest::newRow("a single quote is just a character") << "12'456"
                                                        << "4";
    QTest::newRow("quote injection") << "' OR '1'='1"
                                     << "";
    QTest::newRow("quote injection after a real code") << "600519' OR '1'='1"
                                                       << "";
    QTest::newRow("no pattern matching") << "60051_"
                                         << "";
    QTest::newRow("no pattern matching with percent") << "%"
                                                      << "";
    QTest::newRow("a longer code") << "6005190"
                                   << "";
    QTest::newRow("empty code") << ""
                                << "";
}

void StockDatabaseTest::locate() {
    QFETCH(QString, code);
    QFETCH(QString, id);
    QVERIFY(fixture::createDatabase(m_path, watchList()));
    StockDatabase db;
    QVERIFY(db.open(m_path));
    const LocateResult result = db.locate(code);
    QVERIFY2(result.ok(), qPrintable(result.reason()));
    QCOMPARE(result.found(), !id.isEmpty());
    QCOMPARE(result.status, id.isEmpty() ? LocateStatus::NotFound : LocateStatus::Found);
    QCOMPARE(result.id, id);
    // The located record's own name: alert state is keyed by it.
    const QHash<QString, QString> names{{"1", "贵州茅台"}, {"2", "金风科技"}, {"4", "引号股"}, {"5", "全角"}};
    QCOMPARE(result.name, names.value(id));
    QCOMPARE(db.loadAll().records.size(), watchList().size());
}

void StockDatabaseTest::deleteRemovesExactlyThatId() {
    QVERIFY(fixture::createDatabase(m_path, watchList()));
    StockDatabase db;
    QVERIFY(db.open(m_path));

    const RemoveResult second = db.removeById(QStringLiteral("3"));
    QVERIFY(second.ok());
    QVERIFY(second.removed);
    const LoadResult after = db.loadAll();
    QCOMPARE(ids(after.records), (QStringList{"1", "2", "4", "5"}));
    QCOMPARE(after.records[1].mingcheng, QStringLiteral("金风科技"));
    QCOMPARE(db.locate(QStringLiteral("002202")).id, QStringLiteral("2"));

    const RemoveResult again = db.removeById(QStringLiteral("3"));
    QVERIFY(again.ok());
    QVERIFY(!again.removed);

    // The highest ID goes; a later append still gets a higher one.
    QVERIFY(db.removeById(QStringLiteral("5")).removed);
    const AppendResult added = db.append(
        {QStringLiteral("平安银行"), QStringLiteral("000001"), QStringLiteral("11"), QStringLiteral("100")});
    QVERIFY2(added.ok(), qPrintable(added.reason()));
    QCOMPARE(added.id, QStringLiteral("6"));
    QCOMPARE(ids(db.loadAll().records), (QStringList{"1", "2", "4", "6"}));
}

void StockDatabaseTest::deleteWithoutNumericIdDeletesNothing_data() {
    QTest::addColumn<QString>("id");
    QTest::newRow("unknown") << "99";
    QTest::newRow("empty") << "";
    QTest::newRow("letters") << "abc";
    QTest::newRow("injection") << "2 OR 1=1";
    QTest::newRow("second statement") << "2; DELETE FROM gupiao";
    QTest::newRow("negative") << "-1";
    QTest::newRow("space before") << " 2";
    QTest::newRow("full-width digit") << "２";
    QTest::newRow("too large") << "99999999999999999999999";
}

void StockDatabaseTest::deleteWithoutNumericIdDeletesNothing() {
    QFETCH(QString, id);
    QVERIFY(fixture::createDatabase(m_path, watchList()));
    StockDatabase db;
    QVERIFY(db.open(m_path));
    const RemoveResult result = db.removeById(id);
    QVERIFY(result.ok());
    QVERIFY(!result.removed);
    QCOMPARE(db.loadAll().records.size(), watchList().size());
}

void StockDatabaseTest::appendStoresEmptyTextAsNull() {
    QVERIFY(fixture::createDatabase(m_path));
    StockDatabase db;
    QVERIFY(db.open(m_path));
    const AppendResult added =
        db.append({QStringLiteral("金风科技"), QStringLiteral("002202"), QStringLiteral("9.8"), QString()});
    QVERIFY2(added.ok(), qPrintable(added.reason()));
    QCOMPARE(added.id, QStringLiteral("1"));

    {
        RawDatabase raw(m_path);
        QCOMPARE(raw.value(QStringLiteral("SELECT count(*) FROM gupiao WHERE ID = 1 AND cjsl IS NULL AND "
                                          "suozai IS NULL AND yjjg IS NULL AND yjnr IS NULL"))
                     .toInt(),
                 1);
        QCOMPARE(raw.value(QStringLiteral("SELECT typeof(cjjg) || ':' || cjjg FROM gupiao")).toString(),
                 QStringLiteral("text:9.8"));
    }
    const LoadResult loaded = db.loadAll();
    QVERIFY(loaded.ok());
    QCOMPARE(loaded.records.size(), 1u);
    QCOMPARE(loaded.records[0], (StockRecord{"1", "金风科技", "002202", "9.8", "", "", ""}));
}

void StockDatabaseTest::textsAreKeptExactly_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("two zeros") << "00";
    QTest::newRow("trailing zero") << "12.50";
    QTest::newRow("exponent") << "1e3";
    QTest::newRow("minus zero") << "-0.0";
    QTest::newRow("leading zeros") << "002202";
    QTest::newRow("not a number") << "abc";
    QTest::newRow("Chinese") << "止盈卖";
    QTest::newRow("spaces inside") << " 1 2 ";
    QTest::newRow("outside the BMP") << QString::fromUtf8("\xF0\xA0\x80\x80");
}

void StockDatabaseTest::textsAreKeptExactly() {
    QFETCH(QString, text);
    QVERIFY(fixture::createDatabase(m_path));
    StockDatabase db;
    QVERIFY(db.open(m_path));
    const QString id = db.append({text, text, text, text}).id;
    QVERIFY(db.update(id, {{StockField::Yjjg, text}, {StockField::Yjnr, text}}));
    const LoadResult loaded = db.loadAll();
    QCOMPARE(loaded.records.size(), 1u);
    QCOMPARE(loaded.records[0], (StockRecord{id, text, text, text, text, text, text}));
    QCOMPARE(db.locate(text).id, id);
}

void StockDatabaseTest::updateSetsFieldsOfTheLocatedRowOnly() {
    QVERIFY(fixture::createDatabase(m_path, watchList()));
    StockDatabase db;
    QVERIFY(db.open(m_path));
    const LocateResult located = db.locate(QStringLiteral("002202"));
    QVERIFY(located.found());

    // Modify stock, then set alert, then remove alert.
    QVERIFY(db.update(located.id, {{StockField::Cjjg, QStringLiteral("10.5")}, {StockField::Cjsl, "00"}}));
    QVERIFY(db.update(located.id, {{StockField::Yjnr, QStringLiteral("止盈卖")}, {StockField::Yjjg, "13"}}));
    QVERIFY(db.update(located.id, {{StockField::Yjjg, QString()}}));
    // A field named twice keeps the caller's last value.
    QVERIFY(db.update(located.id, {{StockField::Cjsl, "1"}, {StockField::Cjsl, "2"}}));

    const LoadResult loaded = db.loadAll();
    QCOMPARE(loaded.records[1], (StockRecord{"2", "金风科技", "002202", "10.5", "2", "", "止盈卖"}));
    QCOMPARE(loaded.records[2], (StockRecord{"3", "金风二号", "002202", "10", "200", "", ""}));
    RawDatabase raw(m_path);
    QCOMPARE(raw.value(QStringLiteral("SELECT yjjg IS NULL FROM gupiao WHERE ID = 2")).toInt(), 1);
}

void StockDatabaseTest::updateIsAllOrNothing() {
    QVERIFY(fixture::createDatabase(m_path, watchList()));
    {
        // Stands in for any failure half-way through saving a record.
        RawDatabase raw(m_path);
        QVERIFY(
            raw.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON gupiao WHEN NEW.cjsl = 'refused' "
                                    "BEGIN SELECT RAISE(ABORT, 'refused by the fixture'); END")));
    }
    StockDatabase db;
    QVERIFY(db.open(m_path));
    const DbResult result = db.update(
        QStringLiteral("2"), {{StockField::Cjjg, QStringLiteral("99")}, {StockField::Cjsl, "refused"}});
    QVERIFY(!result.ok());
    QVERIFY2(result.reason().contains(QStringLiteral("refused by the fixture")), qPrintable(result.reason()));
    QCOMPARE(db.loadAll().records[1],
             (StockRecord{"2", "金风科技", "002202", "9.8", "1000", "12", "上涨到"}));
}

void StockDatabaseTest::updateOfUnknownIdFails() {
    QVERIFY(fixture::createDatabase(m_path, watchList()));
    StockDatabase db;
    QVERIFY(db.open(m_path));
    for (const QString& id : {QStringLiteral("99"), QStringLiteral(""), QStringLiteral("2 OR 1=1")}) {
        const DbResult result = db.update(id, {{StockField::Cjjg, QStringLiteral("1")}});
        QVERIFY(!result.ok());
        QVERIFY(!result.reason().isEmpty());
    }
    QCOMPARE(db.loadAll().records[1].cjjg, QStringLiteral("9.8"));
}

void StockDatabaseTest::failuresAreReportedAndTheFileIsKept_data() {
    QTest::addColumn<Trouble>("trouble");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("reads");
    QTest::newRow("missing file") << Trouble::Missing << false << false;
    QTest::newRow("not a database") << Trouble::NotADatabase << false << false;
    QTest::newRow("empty file") << Trouble::EmptyFile << false << false;
    QTest::newRow("damaged database") << Trouble::Damaged << false << false;
    QTest::newRow("read-only file") << Trouble::ReadOnly << true << true;
    QTest::newRow("locked by another writer") << Trouble::LockedForWriting << true << true;
}

void StockDatabaseTest::failuresAreReportedAndTheFileIsKept() {
    QFETCH(Trouble, trouble);
    QFETCH(bool, opens);
    QFETCH(bool, reads);

    std::unique_ptr<ReadOnlyFile> readOnly;
    std::unique_ptr<RawDatabase> otherWriter;
    switch (trouble) {
    case Trouble::Missing:
        break;
    case Trouble::NotADatabase:
        QVERIFY(fixture::writeBytes(m_path, QByteArray("Standard Jet DB\0\1\2\3 not SQLite", 30)));
        break;
    case Trouble::EmptyFile:
        QVERIFY(fixture::writeBytes(m_path, QByteArray()));
        break;
    case Trouble::Damaged: {
        QVERIFY(fixture::createDatabase(m_path, watchList()));
        QByteArray bytes = fixture::readBytes(m_path);
        QVERIFY(bytes.size() > 4096);
        bytes.replace(100, 3000, QByteArray(3000, '\xA5')); // the schema page, past the header
        QVERIFY(fixture::writeBytes(m_path, bytes));
        break;
    }
    case Trouble::ReadOnly:
        QVERIFY(fixture::createDatabase(m_path, watchList()));
        readOnly = std::make_unique<ReadOnlyFile>(m_path);
        if (readOnly->writable())
            QSKIP("cannot make a file read-only for this process");
        break;
    case Trouble::LockedForWriting:
        QVERIFY(fixture::createDatabase(m_path, watchList()));
        otherWriter = std::make_unique<RawDatabase>(m_path);
        QVERIFY(otherWriter->exec(QStringLiteral("BEGIN IMMEDIATE")));
        QVERIFY(otherWriter->exec(QStringLiteral("DELETE FROM gupiao")));
        break;
    }
    const bool existed = QFileInfo::exists(m_path);
    const QByteArray before = fixture::readBytes(m_path);

    {
        StockDatabase db;
        const DbResult opened = db.open(m_path);
        QCOMPARE(opened.ok(), opens);
        QCOMPARE(opened.reason().isEmpty(), opens);

        const LoadResult loaded = db.loadAll();
        QCOMPARE(loaded.ok(), reads);
        QCOMPARE(loaded.records.size(), reads ? watchList().size() : 0u);
        QCOMPARE(loaded.reason().isEmpty(), reads);

        const LocateResult located = db.locate(QStringLiteral("600519"));
        QCOMPARE(located.status, reads ? LocateStatus::Found : LocateStatus::Error);

        const AppendResult added =
            db.append({QStringLiteral("平安银行"), QStringLiteral("000001"), "1", "1"});
        QVERIFY(!added.ok());
        QVERIFY(!added.reason().isEmpty());
        QVERIFY(added.id.isEmpty());

        const DbResult updated = db.update(QStringLiteral("1"), {{StockField::Cjjg, QStringLiteral("1")}});
        QVERIFY(!updated.ok());
        QVERIFY(!updated.reason().isEmpty());

        const RemoveResult removed = db.removeById(QStringLiteral("1"));
        QVERIFY(!removed.ok());
        QVERIFY(!removed.removed);
    }
    if (otherWriter)
        QVERIFY(otherWriter->exec(QStringLiteral("ROLLBACK")));
    otherWriter.reset();
    readOnly.reset();

    QCOMPARE(QFileInfo::exists(m_path), existed);
    QCOMPARE(fixture::readBytes(m_path), before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
             existed ? QStringList{QStringLiteral("Database.db")} : QStringList{});
}

void StockDatabaseTest::reopensWhenTheFileTurnsUp() {
    StockDatabase db;
    QVERIFY(!db.open(m_path).ok());
    QVERIFY(!db.isOpen());
    QVERIFY(fixture::createDatabase(m_path, watchList()));
    const LoadResult loaded = db.loadAll();
    QVERIFY2(loaded.ok(), qPrintable(loaded.reason()));
    QCOMPARE(loaded.records.size(), watchList().size());
    QVERIFY(db.isOpen());
}

void StockDatabaseTest::pathWithUnusualCharacters() {
    const QString folder = m_dir->filePath(QStringLiteral("股票 #1 %20;x"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("Database.db"));
    QVERIFY(provisionDatabaseFile(path).created);
    StockDatabase db;
    const DbResult opened = db.open(path);
    QVERIFY2(opened.ok(), qPrintable(opened.reason()));
    QVERIFY(db.append({QStringLiteral("贵州茅台"), QStringLiteral("600519"), "1700", "100"}).ok());
    QCOMPARE(db.loadAll().records.size(), 1u);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("Database.db")});
}

QTEST_GUILESS_MAIN(StockDatabaseTest)
#include "test_stock_database.moc"
