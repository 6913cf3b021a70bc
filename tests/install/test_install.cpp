#include "tests/support/quote_sim_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The account a root test run uses, so that the installed folder is as
// unwritable for the program as it is for a user after a package install.
constexpr uid_t nobody = 65534;

const QString programFolder = u"lib/tavrin"_s;

} // namespace

class InstallTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void installsFile_data();
    void installsFile();
    void linkReachesProgram();
    void desktopEntry_data();
    void desktopEntry();
    void desktopEntryValidates();
    void icons_data();
    void icons();
    void installedProgramKeepsDataPerUser();

private:
    QString installed(const QString& relative) const { return QDir(m_prefix).filePath(relative); }

    QTemporaryDir m_root;
    QString m_prefix;
    bool m_folderMadeReadOnly = false;
};

void InstallTest::initTestCase() {
    QVERIFY(m_root.isValid());
    // Other accounts must reach the prefix and the home folder below it.
    QVERIFY(QFile::setPermissions(m_root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                     QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                                     QFile::ExeOther));
    m_prefix = m_root.filePath(u"prefix"_s);

    QProcess install;
    install.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    install.start(QStringLiteral(TAVRIN_CMAKE_COMMAND),
                  {u"--install"_s, QStringLiteral(TAVRIN_BUILD_DIR), u"--prefix"_s, m_prefix, u"--config"_s,
                   QStringLiteral(TAVRIN_INSTALL_CONFIG)});
    QVERIFY2(install.waitForStarted(), qPrintable(install.errorString()));
    QVERIFY2(install.waitForFinished(120000), "cmake --install did not end");
    QCOMPARE(install.exitStatus(), QProcess::NormalExit);
    QCOMPARE(install.exitCode(), 0);
}

void InstallTest::cleanupTestCase() {
    // Give the folder back its write permission so that the temporary tree can go.
    if (m_folderMadeReadOnly)
        QFile::setPermissions(installed(programFolder),
                              QFileInfo(installed(programFolder)).permissions() | QFile::WriteOwner);
}

void InstallTest::installsFile_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    QTest::newRow("program") << programFolder + u"/Tavrin"_s << true;
    QTest::newRow("petals library beside it") << programFolder + u"/libLumeve.so"_s << false;
    QTest::newRow("sound module beside it") << programFolder + u"/tavrin_clip_sound.so"_s << false;
    QTest::newRow("quote tool") << u"bin/tavrin-quote"_s << true;
    QTest::newRow("program link") << u"bin/Tavrin"_s << true;
    QTest::newRow("desktop entry") << u"share/applications/tavrin.desktop"_s << false;
}

void InstallTest::installsFile() {
    QFETCH(QString, path);
    QFETCH(bool, executable);
    const QFileInfo file(installed(path));
    QVERIFY2(file.isFile(), qPrintable(file.filePath()));
    QCOMPARE(file.isExecutable(), executable);
}

void InstallTest::linkReachesProgram() {
    const QFileInfo link(installed(u"bin/Tavrin"_s));
    QVERIFY(link.isSymLink());
    // Relative, so that the prefix can move (DESTDIR, the package).
    char target[4096] = {};
    const ssize_t length =
        readlink(QFile::encodeName(link.filePath()).constData(), target, sizeof target - 1);
    QVERIFY(length > 0);
    QVERIFY2(QDir::isRelativePath(QFile::decodeName(target)), target);
    QCOMPARE(QFileInfo(link.canonicalFilePath()).canonicalPath(),
             QFileInfo(installed(programFolder)).canonicalFilePath());
}

void InstallTest::desktopEntry_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("name") << u"Name=禾岫股价监控"_s;
    QTest::newRow("english name") << u"Name[en]=Tavrin"_s;
    QTest::newRow("command") << u"Exec=Tavrin"_s;
    QTest::newRow("icon") << u"Icon=tavrin"_s;
    QTest::newRow("categories") << u"Categories=Office;Finance;"_s;
    QTest::newRow("application") << u"Type=Application"_s;
}

void InstallTest::desktopEntry() {
    QFETCH(QString, line);
    QFile entry(installed(u"share/applications/tavrin.desktop"_s));
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split(u'\n');
    QVERIFY2(lines.first() == u"[Desktop Entry]"_s, qPrintable(lines.first()));
    QVERIFY2(lines.contains(line), qPrintable(line));
}

void InstallTest::desktopEntryValidates() {
    const QString validator = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed (desktop-file-utils)");
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(validator, {installed(u"share/applications/tavrin.desktop"_s)});
    QVERIFY(validate.waitForFinished(30000));
    // It prints hints and errors; a clean entry gives nothing.
    const QByteArray output = validate.readAll();
    QVERIFY2(validate.exitCode() == 0 && output.isEmpty(), output.constData());
}

void InstallTest::icons_data() {
    QTest::addColumn<int>("size");
    for (const int size : {16, 24, 32, 36, 48, 64, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

void InstallTest::icons() {
    QFETCH(int, size);
    const QString path = installed(u"share/icons/hicolor/%1x%1/apps/tavrin.png"_s.arg(size));
    const QImage icon(path);
    QVERIFY2(!icon.isNull(), qPrintable(path));
    QCOMPARE(icon.size(), QSize(size, size));
}

void InstallTest::installedProgramKeepsDataPerUser() {
    const QString home = m_root.filePath(u"home"_s);
    const QString dataHome = QDir(home).filePath(u".local/share"_s);
    QVERIFY(QDir().mkpath(dataHome));

    QProcess program;
    QStringList command{installed(u"bin/Tavrin"_s)};
    if (geteuid() == 0) {
        // Root writes anywhere: run as an ordinary account instead.
        for (const QString& folder : {home, QDir(home).filePath(u".local"_s), dataHome})
            QCOMPARE(chown(QFile::encodeName(folder).constData(), nobody, nobody), 0);
        command = QStringList{u"setpriv"_s, u"--reuid=%1"_s.arg(nobody), u"--regid=%1"_s.arg(nobody),
                              u"--clear-groups"_s, u"--"_s} +
                  command;
    } else {
        const QString folder = installed(programFolder);
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                  QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
        m_folderMadeReadOnly = true;
    }

    QuoteSimProcess sim;
    QVERIFY(sim.start());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"TAVRIN_DATA_DIR"_s);
    environment.remove(u"XDG_RUNTIME_DIR"_s);
    environment.insert(u"HOME"_s, home);
    environment.insert(u"XDG_DATA_HOME"_s, dataHome);
    environment.insert(u"XDG_CONFIG_HOME"_s, QDir(home).filePath(u".config"_s));
    environment.insert(u"XDG_CACHE_HOME"_s, QDir(home).filePath(u".cache"_s));
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"TAVRIN_EXIT_AFTER_MS"_s, u"1500"_s);
    for (const QString& service :
         {u"TAVRIN_QUOTE_URL"_s, u"TAVRIN_CHART_URL"_s, u"TAVRIN_VALUE_URL"_s, u"TAVRIN_UPDATE_URL"_s})
        environment.insert(service, sim.baseUrl());
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.setWorkingDirectory(home);
    program.start(command.takeFirst(), command);
    QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
    QVERIFY2(program.waitForFinished(60000), "the program did not end after its window closed");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    // The per-user folder of an application named Tavrin, with no organisation.
    const QDir data(QDir(dataHome).filePath(u"Tavrin"_s));
    QVERIFY2(QFileInfo(data.filePath(u"Database.db"_s)).isFile(), qPrintable(data.path()));
    QVERIFY(QFileInfo(data.filePath(u"log"_s)).isDir());
    const QDir folder(installed(programFolder));
    for (const QString& name : {u"Database.db"_s, u"log"_s, u"gupiao.ini"_s})
        QVERIFY2(!QFileInfo::exists(folder.filePath(name)), qPrintable(name));
}

QTEST_GUILESS_MAIN(InstallTest)
#include "test_install.moc"
