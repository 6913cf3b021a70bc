#include "platform/gbk.h"
#include "platform/profile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <limits>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

using tavrin::Profile;
using tavrin::ProfileEditor;
namespace gbk = tavrin::gbk;

namespace {

// A file as Windows leaves it: GBK names, ASCII names in mixed case, comments,
// blank lines, CR LF, blanks around '=' and a quoted value.
QByteArray windowsFixture() {
    return gbk::encode(u"; 股票预警状态\r\n"
                       u"[股票时间]\r\n"
                       u"贵州茅台=3\r\n"
                       u"平安银行 = 5 \r\n"
                       u"\r\n"
                       u"; 次数\r\n"
                       u"[次数纪录]\r\n"
                       u"贵州茅台=2\r\n"
                       u"贵州茅台下跌次数=0\r\n"
                       u"\r\n"
                       u"[Options]\r\n"
                       u"SoundOn=\"yes\"\r\n"
                       u"  Volume=7\r\n");
}

// Lines with their own reading: an entry before any section, a header without its
// bracket, a section named twice, GBK names whose second bytes are an ASCII letter
// or a bracket, a bracket inside a section name, no line ending at the end.
QByteArray oddFixture() {
    return QByteArray("orphan=0\r\n"
                      "[broken\r\n"
                      "k=broken\r\n"
                      "[s]\r\n"
                      "k=1\r\n"
                      "\x81\x41=upper\r\n"
                      "\x81\x61=lower\r\n"
                      "; note\r\n"
                      "[t]\r\n"
                      "k=t\r\n"
                      "[S]\r\n"
                      "K=2\r\n"
                      "late=3\r\n"
                      "[\x81\x5D]\r\n"
                      "k=bracket\r\n"
                      "[a]b]\r\n"
                      "last=9");
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestProfile : public QObject {
    Q_OBJECT

private slots:
    void readsEntriesOfAWindowsFile_data();
    void readsEntriesOfAWindowsFile();
    void writeChangesOnlyItsLine_data();
    void writeChangesOnlyItsLine();
    void deletesEntries();
    void deletingAMissingEntryIsHarmless();
    void createsFileAndSectionOnFirstWrite();
    void writeWithoutFolderFails();
    void refusesWhatTheFileCannotHold_data();
    void refusesWhatTheFileCannotHold();
    void unreadableFileIsNeverOverwritten();
    void transactionReadsOnceAndSavesOnce();
    void profilesOfOnePathShareOneLock();
    void concurrentReadModifyWriteKeepsCountsExact();
    void readsOddLinesAsWindowsDoes_data();
    void readsOddLinesAsWindowsDoes();
    void editsOddLinesAsWindowsDoes_data();
    void editsOddLinesAsWindowsDoes();
    void editsCostTheSameHoweverLongTheFile();
};

void TestProfile::readsEntriesOfAWindowsFile_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("GBK section and key") << u"股票时间"_s << u"贵州茅台"_s << u"3"_s;
    QTest::newRow("blanks around value trimmed") << u"股票时间"_s << u"平安银行"_s << u"5"_s;
    QTest::newRow("second section") << u"次数纪录"_s << u"贵州茅台下跌次数"_s << u"0"_s;
    QTest::newRow("section case-insensitive") << u"OPTIONS"_s << u"SoundOn"_s << u"yes"_s;
    QTest::newRow("key case-insensitive") << u"options"_s << u"soundon"_s << u"yes"_s;
    QTest::newRow("indented key") << u"Options"_s << u"VOLUME"_s << u"7"_s;
    QTest::newRow("missing key") << u"股票时间"_s << u"万科A"_s << QString();
    QTest::newRow("missing section") << u"股票价格"_s << u"贵州茅台"_s << QString();
    QTest::newRow("key of another section") << u"股票时间"_s << u"贵州茅台下跌次数"_s << QString();
    QTest::newRow("comment is no entry") << u"股票时间"_s << u"; 次数"_s << QString();
}

void TestProfile::readsEntriesOfAWindowsFile() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"gupiao.ini"_s);
    writeAll(path, windowsFixture());
    QCOMPARE(Profile(path).read(section, key), value);
    QCOMPARE(ProfileEditor(windowsFixture()).read(section, key), value);
}

void TestProfile::writeChangesOnlyItsLine_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    const QString fixture = gbk::decode(windowsFixture());
    QTest::newRow("replace value, key spelling kept")
        << u"次数纪录"_s << u"贵州茅台"_s << u"3"_s
        << QString(fixture).replace(u"贵州茅台=2\r\n"_s, u"贵州茅台=3\r\n"_s);
    QTest::newRow("replace in mixed-case section")
        << u"OPTIONS"_s << u"volume"_s << u"9"_s
        << QString(fixture).replace(u"  Volume=7\r\n"_s, u"  Volume=9\r\n"_s);
    QTest::newRow("replace value written with blanks")
        << u"股票时间"_s << u"平安银行"_s << u"8"_s
        << QString(fixture).replace(u"平安银行 = 5 \r\n"_s, u"平安银行 =8\r\n"_s);
    QTest::newRow("new key after the section's last entry")
        << u"股票时间"_s << u"万科A"_s << u"10"_s
        << QString(fixture).replace(u"平安银行 = 5 \r\n"_s, u"平安银行 = 5 \r\n万科A=10\r\n"_s);
    QTest::newRow("new section at the end")
        << u"股票价格"_s << u"贵州茅台"_s << u"1688.5"_s << fixture + u"[股票价格]\r\n贵州茅台=1688.5\r\n"_s;
    QTest::newRow("same value writes nothing") << u"股票时间"_s << u"贵州茅台"_s << u"3"_s << fixture;
}

void TestProfile::writeChangesOnlyItsLine() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"gupiao.ini"_s);
    writeAll(path, windowsFixture());
    Profile profile(path);
    QVERIFY(profile.write(section, key, value));
    QCOMPARE(gbk::decode(readAll(path)), expected);
    QCOMPARE(readAll(path), gbk::encode(expected));
    QCOMPARE(profile.read(section, key), value);
}

void TestProfile::deletesEntries() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"gupiao.ini"_s);
    writeAll(path, windowsFixture());
    Profile profile(path);
    QVERIFY(profile.remove(u"次数纪录", u"贵州茅台"));
    QCOMPARE(profile.read(u"次数纪录", u"贵州茅台"), QString());
    QCOMPARE(profile.read(u"次数纪录", u"贵州茅台下跌次数"), u"0"_s);
    QVERIFY(profile.remove(u"options", u"SOUNDON"));
    const QString expected = gbk::decode(windowsFixture())
                                 .replace(u"贵州茅台=2\r\n"_s, QString())
                                 .replace(u"SoundOn=\"yes\"\r\n"_s, QString());
    QCOMPARE(gbk::decode(readAll(path)), expected);
}

void TestProfile::deletingAMissingEntryIsHarmless() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"gupiao.ini"_s);
    writeAll(path, windowsFixture());
    Profile profile(path);
    QVERIFY(profile.remove(u"预警次数", u"贵州茅台"));
    QVERIFY(profile.remove(u"股票时间", u"万科A"));
    QCOMPARE(readAll(path), windowsFixture());

    const QString missing = dir.filePath(u"none.ini"_s);
    QVERIFY(Profile(missing).remove(u"预警次数", u"贵州茅台"));
    QVERIFY(!QFile::exists(missing));
}

void TestProfile::createsFileAndSectionOnFirstWrite() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"gupiao.ini"_s);
    Profile profile(path);
    QCOMPARE(profile.read(u"股票时间", u"贵州茅台"), QString());
    QVERIFY(!QFile::exists(path));
    QVERIFY(profile.write(u"股票时间", u"贵州茅台", u"3"));
    QVERIFY(profile.write(u"下跌预警", u"贵州茅台下跌预警", u"真"));
    QVERIFY(profile.write(u"股票时间", u"平安银行", u"5"));
    QCOMPARE(readAll(path), gbk::encode(u"[股票时间]\r\n贵州茅台=3\r\n平安银行=5\r\n"
                                        u"[下跌预警]\r\n贵州茅台下跌预警=真\r\n"));
}

void TestProfile::writeWithoutFolderFails() {
    QTemporaryDir dir;
    Profile profile(dir.filePath(u"missing/gupiao.ini"_s));
    const tavrin::Status written = profile.write(u"股票时间", u"贵州茅台", u"3");
    QVERIFY(!written);
    // The user is told which file; the system's own words go to the detail.
    QCOMPARE(written.message(), u"无法保存文件 "_s + QDir::toNativeSeparators(profile.path()));
    QVERIFY(!written.detail().isEmpty());
    QCOMPARE(profile.read(u"股票时间", u"贵州茅台"), QString());
}

void TestProfile::refusesWhatTheFileCannotHold_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("empty section") << QString() << u"a"_s << u"1"_s;
    QTest::newRow("empty key") << u"s"_s << u"  "_s << u"1"_s;
    QTest::newRow("line break in value") << u"s"_s << u"a"_s << u"1\r\n[x]"_s;
    QTest::newRow("line break in key") << u"s"_s << u"a\nb"_s << u"1"_s;
    QTest::newRow("equals in key") << u"s"_s << u"a=b"_s << u"1"_s;
    QTest::newRow("bracket in section") << u"s]x"_s << u"a"_s << u"1"_s;
    QTest::newRow("comment key") << u"s"_s << u";a"_s << u"1"_s;
}

void TestProfile::refusesWhatTheFileCannotHold() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"gupiao.ini"_s);
    writeAll(path, windowsFixture());
    const tavrin::Status written = Profile(path).write(section, key, value);
    QVERIFY(!written);
    QVERIFY(written.message().contains(QDir::toNativeSeparators(path)));
    QCOMPARE(readAll(path), windowsFixture());
}

void TestProfile::unreadableFileIsNeverOverwritten() {
    QTemporaryDir dir;
    // A folder in the file's place cannot be read as a file.
    const QString path = dir.filePath(u"gupiao.ini"_s);
    QVERIFY(QDir(dir.path()).mkdir(u"gupiao.ini"_s));
    Profile profile(path);
    bool called = false;
    const tavrin::Status edited = profile.transaction([&](ProfileEditor&) { called = true; });
    QVERIFY(!edited);
    QVERIFY(edited.message().contains(QDir::toNativeSeparators(path)));
    QVERIFY(!called);
    QVERIFY(!profile.write(u"股票时间", u"贵州茅台", u"3"));
    QVERIFY(QFileInfo(path).isDir());
}

void TestProfile::transactionReadsOnceAndSavesOnce() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"gupiao.ini"_s);
    writeAll(path, windowsFixture());
    Profile profile(path);
    QVERIFY(profile.transaction([](ProfileEditor& editor) {
        const int count = editor.read(u"次数纪录", u"贵州茅台").toInt();
        QVERIFY(editor.write(u"次数纪录", u"贵州茅台", QString::number(count + 1)));
        QVERIFY(editor.write(u"股票价格", u"贵州茅台", u"1688.5"));
        // Writes are visible within the transaction.
        QCOMPARE(editor.read(u"股票价格", u"贵州茅台"), u"1688.5"_s);
        editor.remove(u"次数纪录", u"贵州茅台下跌次数");
        QVERIFY(editor.changed());
    }));
    QCOMPARE(profile.read(u"次数纪录", u"贵州茅台"), u"3"_s);
    QCOMPARE(profile.read(u"股票价格", u"贵州茅台"), u"1688.5"_s);
    QCOMPARE(profile.read(u"次数纪录", u"贵州茅台下跌次数"), QString());
    // Nothing left behind by the atomic save.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"gupiao.ini"_s});
}

void TestProfile::profilesOfOnePathShareOneLock() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"gupiao.ini"_s);
    const QString samePath = dir.path() + u"/./sub/../gupiao.ini"_s;
    QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
    QCOMPARE(&Profile::mutexFor(path), &Profile::mutexFor(samePath));
    QVERIFY(&Profile::mutexFor(path) != &Profile::mutexFor(dir.filePath(u"other.ini"_s)));
    writeAll(path, {});
    // Creating the file does not change which lock guards it.
    QCOMPARE(&Profile::mutexFor(path), &Profile::mutexFor(samePath));
}

void TestProfile::concurrentReadModifyWriteKeepsCountsExact() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"gupiao.ini"_s);
    writeAll(path, windowsFixture());
    constexpr int threads = 4;
    constexpr int rounds = 50;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&path, t] {
            // Each thread has its own Profile object: the lock belongs to the file.
            Profile profile(path);
            for (int i = 0; i < rounds; ++i) {
                profile.transaction([t](ProfileEditor& editor) {
                    const int shared = editor.read(u"次数纪录", u"共享").toInt();
                    editor.write(u"次数纪录", u"共享", QString::number(shared + 1));
                    const QString own = u"线程"_s + QString::number(t);
                    editor.write(u"次数纪录", own,
                                 QString::number(editor.read(u"次数纪录", own).toInt() + 1));
                });
            }
        });
    }
    for (std::thread& worker : workers)
        worker.join();
    Profile profile(path);
    QCOMPARE(profile.read(u"次数纪录", u"共享"), QString::number(threads * rounds));
    for (int t = 0; t < threads; ++t)
        QCOMPARE(profile.read(u"次数纪录", QString(u"线程"_s + QString::number(t))), QString::number(rounds));
    QCOMPARE(profile.read(u"股票时间", u"贵州茅台"), u"3"_s);
}

void TestProfile::readsOddLinesAsWindowsDoes_data() {
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("entry before any section") << QByteArray("s") << QByteArray("orphan") << QString();
    QTest::newRow("entry after a broken header") << QByteArray("broken") << QByteArray("k") << QString();
    QTest::newRow("first of a twice-named section") << QByteArray("S") << QByteArray("K") << u"1"_s;
    QTest::newRow("second header of the name") << QByteArray("s") << QByteArray("late") << u"3"_s;
    QTest::newRow("other section") << QByteArray("t") << QByteArray("k") << u"t"_s;
    QTest::newRow("second byte 'A' is no letter") << QByteArray("s") << QByteArray("\x81\x41") << u"upper"_s;
    QTest::newRow("second byte 'a' is no letter") << QByteArray("s") << QByteArray("\x81\x61") << u"lower"_s;
    QTest::newRow("second byte ']' ends no header")
        << QByteArray("\x81\x5D") << QByteArray("k") << u"bracket"_s;
    QTest::newRow("header read up to its last bracket") << QByteArray("a") << QByteArray("last") << QString();
    QTest::newRow("last line without its ending") << QByteArray("a]b") << QByteArray("last") << u"9"_s;
}

void TestProfile::readsOddLinesAsWindowsDoes() {
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QString, value);
    const ProfileEditor editor(oddFixture());
    QCOMPARE(editor.read(gbk::decode(section), gbk::decode(key)), value);
    QCOMPARE(editor.contains(gbk::decode(section), gbk::decode(key)), !value.isNull());
}

void TestProfile::editsOddLinesAsWindowsDoes_data() {
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("value"); // null: remove
    QTest::addColumn<QByteArray>("expected");
    const QByteArray fixture = oddFixture();
    QTest::newRow("new key after the first section's last entry")
        << QByteArray("S") << QByteArray("new") << u"4"_s
        << QByteArray(fixture).replace("=lower\r\n", "=lower\r\nnew=4\r\n");
    QTest::newRow("value in the second header of the name")
        << QByteArray("s") << QByteArray("LATE") << u"5"_s << QByteArray(fixture).replace("late=3", "late=5");
    QTest::newRow("remove every match of the name")
        << QByteArray("s") << QByteArray("k") << QString()
        << QByteArray(fixture).replace("[s]\r\nk=1\r\n", "[s]\r\n").replace("K=2\r\n", "");
    QTest::newRow("new section after a last line without ending")
        << QByteArray("u") << QByteArray("x") << u"1"_s << fixture + "\r\n[u]\r\nx=1\r\n";
    QTest::newRow("same value changes nothing") << QByteArray("s") << QByteArray("k") << u"1"_s << fixture;
}

void TestProfile::editsOddLinesAsWindowsDoes() {
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, expected);
    ProfileEditor editor(oddFixture());
    if (value.isNull())
        editor.remove(gbk::decode(section), gbk::decode(key));
    else
        QVERIFY(editor.write(gbk::decode(section), gbk::decode(key), value));
    QCOMPARE(editor.content(), expected);
    QCOMPARE(editor.changed(), expected != oddFixture());
    QCOMPARE(editor.read(gbk::decode(section), gbk::decode(key)), value);
    // Read back from the bytes, the file says the same.
    QCOMPARE(ProfileEditor(editor.content()).read(gbk::decode(section), gbk::decode(key)), value);
}

void TestProfile::editsCostTheSameHoweverLongTheFile() {
    // The alert check reads and writes a few entries per stock: when every one scans
    // the file, a file 16 times as long takes 16 times as long.
    const auto fileOf = [](int stocks) {
        QString text = u"[股票时间]\r\n"_s;
        for (int i = 0; i < stocks; ++i)
            text += u"股票%1=3\r\n"_s.arg(i);
        text += u"[股票价格]\r\n"_s;
        for (int i = 0; i < stocks; ++i)
            text += u"股票%1=10.5\r\n"_s.arg(i);
        return gbk::encode(text);
    };
    const auto fastestEdits = [](const QByteArray& content) {
        qint64 fastest = std::numeric_limits<qint64>::max();
        for (int round = 0; round < 3; ++round) {
            ProfileEditor editor(content);
            QElapsedTimer timer;
            timer.start();
            for (int i = 0; i < 1000; ++i) {
                const QString name = u"股票%1"_s.arg(i * 7);
                editor.write(u"股票价格", name, QString::number(editor.read(u"股票时间", name).toInt() + i));
                editor.write(u"次数纪录", name, u"1");
            }
            fastest = std::min(fastest, timer.nsecsElapsed());
        }
        return fastest;
    };
    const qint64 shortFile = fastestEdits(fileOf(10000));
    const qint64 longFile = fastestEdits(fileOf(160000));
    QVERIFY2(longFile < shortFile * 4,
             qPrintable(u"%1 ms against %2 ms"_s.arg(longFile / 1e6).arg(shortFile / 1e6)));
}

QTEST_GUILESS_MAIN(TestProfile)
#include "test_profile.moc"
