#include "app/delivery/clip_player.h"

#include <QProcess>
#include <QTest>

using namespace tavrin;

Q_DECLARE_METATYPE(tavrin::Sound)

// The alert clips through Qt Multimedia. With a sound server (the test script
// starts a PulseAudio null sink) every clip must load and play; without one,
// playing must neither fail nor hang.
class ClipPlayerTest : public QObject {
    Q_OBJECT
private slots:
    void everyClipPlays_data();
    void everyClipPlays();

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

QTEST_MAIN(ClipPlayerTest)
#include "test_clip_player.moc"
