#include "app/delivery/clip_player.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tavrin;

Q_DECLARE_METATYPE(tavrin::Sound)

// The alert clips through the sound module, which the build puts beside this test
// as beside the program. With a sound server (the test script starts a PulseAudio
// null sink) every clip must load and play; without one, playing must neither fail
// nor hang. Without the module nothing is heard and one line says why.
class ClipPlayerTest : public QObject {
    Q_OBJECT
private slots:
    void everyClipPlays_data();
    void everyClipPlays();
#ifndef Q_OS_WIN // Windows plays the clips itself, without a module
    void unusableModuleIsReported_data();
    void unusableModuleIsReported();
#endif

private:
    static bool soundServerRunning();
};

bool ClipPlayerTest::soundServerRunning() {
    QProcess info;
    info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    return info.waitForFinished(5000) && info.exitStatus() == QProcess::NormalExit && info.exitCode() == 0;
}

void ClipPlayerTest::everyClipPlays_data() {
    QTest::addColumn<Sound>("sound");
    QTest::newRow("rising") << Sound::Rising;
    QTest::newRow("falling") << Sound::Falling;
    QTest::newRow("target") << Sound::Target;
}

void ClipPlayerTest::everyClipPlays() {
    QFETCH(Sound, sound);
    // The module beside the program loads.
    QTest::failOnWarning(QRegularExpression(u"no alert sounds"_s));
    ClipPlayer player;
    player.play(sound);
    QCOMPARE(player.playCount(), 1);
    if (!soundServerRunning())
        QSKIP("no sound server: only checked that playing neither fails nor waits");
    QTRY_VERIFY_WITH_TIMEOUT(player.isReady(sound), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(player.isPlaying(sound), 10000);
    // Played once, not looped: it ends by itself.
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(sound), 10000);
}

#ifndef Q_OS_WIN
void ClipPlayerTest::unusableModuleIsReported_data() {
    QTest::addColumn<QByteArray>("moduleContent");
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("not a library") << QByteArray("not a shared object\n");
}

void ClipPlayerTest::unusableModuleIsReported() {
    QFETCH(QByteArray, moduleContent);
    const QTemporaryDir folder;
    QVERIFY(folder.isValid());
    if (!moduleContent.isEmpty()) {
        QFile module(folder.filePath(clipModuleName() + u".so"_s));
        QVERIFY(module.open(QIODevice::WriteOnly));
        QCOMPARE(module.write(moduleContent), moduleContent.size());
    }
    // Exactly one warning, naming the cause.
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(u"^Tavrin: no alert sounds: .*"_s + clipModuleName()));
    QTest::failOnWarning(QRegularExpression(u".*"_s));
    QVERIFY(!loadClipModule(folder.path()));
}
#endif

QTEST_MAIN(ClipPlayerTest)
#include "test_clip_player.moc"
