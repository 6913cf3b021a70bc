#include "monitor/notifier.h"
#include "monitor/queued_alert_sink.h"
#include "monitor/sound_player.h"
#include "platform/gbk.h"
#include "tests/support/recorders.h"

#include <QCoreApplication>
#include <QObject>
#include <QTest>
#include <QThread>
#include <memory>
#include <thread>

using namespace Qt::StringLiterals;

using namespace tavrin;
using namespace tavrin::test;

namespace {

// Remembers on which thread each call arrived.
class ThreadCheckingNotifier final : public Notifier, public SoundPlayer {
public:
    void showBalloon(const Balloon& balloon) override {
        balloons.append(balloon);
        threads.append(QThread::currentThread());
    }
    void play(Sound sound) override {
        sounds.append(sound);
        threads.append(QThread::currentThread());
    }
    QList<Balloon> balloons;
    QList<Sound> sounds;
    QList<QThread*> threads;
};

} // namespace

class TestAlertDelivery : public QObject {
    Q_OBJECT

private slots:
    void balloonTextsAreCutToTheLimits_data();
    void balloonTextsAreCutToTheLimits();
    void iconKinds_data();
    void iconKinds();
    void soundClipPaths();
    void callsFromAWorkerArriveOnTheSinkThread();
    void callsAreQueuedEvenOnTheSinkThread();
    void callsQueuedForADestroyedSinkAreDropped();
};

void TestAlertDelivery::balloonTextsAreCutToTheLimits_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("titleBytes");
    QTest::addColumn<int>("bodyBytes");
    QTest::newRow("short") << u"平安银行股价预警"_s << 16 << 16;
    QTest::newRow("ASCII") << QString(300, u'a') << 63 << 255;
    QTest::newRow("Chinese: never half a character") << QString(200, u'涨') << 62 << 254;
    QTest::newRow("odd start") << (u"a"_s + QString(200, u'跌')) << 63 << 255;
    QTest::newRow("exactly at the limits") << QString(63, u'b') << 63 << 63;
}

void TestAlertDelivery::balloonTextsAreCutToTheLimits() {
    QFETCH(QString, text);
    QFETCH(int, titleBytes);
    QFETCH(int, bodyBytes);
    const Balloon balloon = makeBalloon(text, text, 1, 5000);
    QCOMPARE(gbk::byteLength(balloon.title), titleBytes);
    QCOMPARE(gbk::byteLength(balloon.body), bodyBytes);
    QVERIFY(text.startsWith(balloon.title));
    QVERIFY(text.startsWith(balloon.body));
    QCOMPARE(balloon.timeoutMs, 5000);
}

void TestAlertDelivery::iconKinds_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<BalloonIcon>("icon");
    QTest::newRow("0 none") << 0 << BalloonIcon::None;
    QTest::newRow("1 information") << 1 << BalloonIcon::Information;
    QTest::newRow("2 warning") << 2 << BalloonIcon::Warning;
    QTest::newRow("3 error") << 3 << BalloonIcon::Error;
    QTest::newRow("4 taken as information") << 4 << BalloonIcon::Information;
    QTest::newRow("-1 taken as information") << -1 << BalloonIcon::Information;
}

void TestAlertDelivery::iconKinds() {
    QFETCH(int, kind);
    QFETCH(BalloonIcon, icon);
    QCOMPARE(makeBalloon(u"t", u"b", kind, 1000).icon, icon);
    QCOMPARE(makeBalloon(u"t", u"b", kind, -3).timeoutMs, 0);
}

void TestAlertDelivery::soundClipPaths() {
    QCOMPARE(soundResourcePath(Sound::Rising), u":/sounds/rising.wav"_s);
    QCOMPARE(soundResourcePath(Sound::Falling), u":/sounds/falling.wav"_s);
    QCOMPARE(soundResourcePath(Sound::Target), u":/sounds/target.wav"_s);
}

void TestAlertDelivery::callsFromAWorkerArriveOnTheSinkThread() {
    ThreadCheckingNotifier target;
    QueuedAlertSink sink(target, target);
    const Balloon balloon = makeBalloon(u"平安银行股价预警", u"平安银行股价已上涨到10元", 1, 1000);
    constexpr int rounds = 50;
    // The worker posts while the sink's thread is already delivering.
    std::thread worker([&] {
        for (int i = 0; i < rounds; ++i) {
            sink.showBalloon(balloon);
            sink.play(Sound::Target);
            sink.play(Sound::Rising);
        }
    });
    QTRY_COMPARE(target.threads.size(), 3 * rounds);
    worker.join();
    QCOMPARE(target.balloons, QList<Balloon>(rounds, balloon));
    for (int i = 0; i < rounds; ++i)
        QCOMPARE(target.sounds.mid(2 * i, 2), (QList<Sound>{Sound::Target, Sound::Rising}));
    for (QThread* thread : target.threads)
        QCOMPARE(thread, sink.thread());
}

void TestAlertDelivery::callsAreQueuedEvenOnTheSinkThread() {
    ThreadCheckingNotifier target;
    QueuedAlertSink sink(target, target);
    sink.play(Sound::Falling);
    QVERIFY(target.sounds.isEmpty());
    QCoreApplication::processEvents();
    QCOMPARE(target.sounds, QList<Sound>{Sound::Falling});
}

void TestAlertDelivery::callsQueuedForADestroyedSinkAreDropped() {
    ThreadCheckingNotifier target;
    auto sink = std::make_unique<QueuedAlertSink>(target, target);
    sink->showBalloon(makeBalloon(u"t", u"b", 1, 1000));
    sink.reset();
    QCoreApplication::processEvents();
    QVERIFY(target.balloons.isEmpty());
}

QTEST_GUILESS_MAIN(TestAlertDelivery)
#include "test_alert_delivery.moc"
