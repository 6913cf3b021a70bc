#include "monitor/sound_player.h"

#include <QFile>
#include <QTest>
#include <QtEndian>
#include <cmath>

using namespace tavrin;

namespace {

struct WaveInfo {
    bool valid = false;
    int format = 0;
    int channels = 0;
    int rate = 0;
    int bits = 0;
    QByteArray data;
};

quint32 le32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// Walks the RIFF chunks; every length is checked against the file before use.
WaveInfo readWave(const QByteArray& file) {
    WaveInfo info;
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return info;
    if (le32(file, 4) != quint32(file.size() - 8))
        return info;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const quint32 size = le32(file, at + 4);
        const qsizetype body = at + 8;
        if (size > quint32(file.size() - body))
            return info;
        if (id == "fmt " && size >= 16) {
            info.format = le16(file, body);
            info.channels = le16(file, body + 2);
            info.rate = int(le32(file, body + 4));
            const quint32 byteRate = le32(file, body + 8);
            const int blockAlign = le16(file, body + 12);
            info.bits = le16(file, body + 14);
            if (blockAlign != info.channels * info.bits / 8 || byteRate != quint32(info.rate * blockAlign))
                return info;
            haveFormat = true;
        } else if (id == "data") {
            info.data = file.mid(body, size);
            info.valid = haveFormat;
            return info;
        }
        at = body + size + (size & 1);
    }
    return info;
}

// Sample i of channel c scaled to -1..1.
double sampleAt(const WaveInfo& wave, qsizetype frame, int channel) {
    if (wave.bits == 8)
        return (static_cast<unsigned char>(wave.data[frame * wave.channels + channel]) - 128) / 128.0;
    const qsizetype at = (frame * wave.channels + channel) * 2;
    return qFromLittleEndian<qint16>(wave.data.constData() + at) / 32768.0;
}

} // namespace

Q_DECLARE_METATYPE(tavrin::Sound)

class TestSoundClips : public QObject {
    Q_OBJECT

private slots:
    void clipsHaveTheirFormat_data();
    void clipsHaveTheirFormat();
    void clipsDiffer();
};

void TestSoundClips::clipsHaveTheirFormat_data() {
    QTest::addColumn<Sound>("sound");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<double>("seconds");
    QTest::newRow("rising") << Sound::Rising << 1 << 22050 << 8 << 0.73;
    QTest::newRow("falling") << Sound::Falling << 1 << 22050 << 8 << 0.35;
    QTest::newRow("target") << Sound::Target << 2 << 44100 << 16 << 1.65;
}

void TestSoundClips::clipsHaveTheirFormat() {
    QFETCH(Sound, sound);
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QFETCH(double, seconds);
    QFile file(soundResourcePath(sound));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const WaveInfo wave = readWave(file.readAll());
    QVERIFY(wave.valid);
    QCOMPARE(wave.format, 1); // PCM
    QCOMPARE(wave.channels, channels);
    QCOMPARE(wave.rate, rate);
    QCOMPARE(wave.bits, bits);
    const int frameBytes = channels * bits / 8;
    QCOMPARE(wave.data.size() % frameBytes, 0);
    const qsizetype frames = wave.data.size() / frameBytes;
    QVERIFY(std::abs(double(frames) / rate - seconds) <= 0.02);

    // Silent at both ends (no click when it starts or stops), never clipped, and audible.
    double peak = 0;
    for (qsizetype f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c)
            peak = std::max(peak, std::abs(sampleAt(wave, f, c)));
    QVERIFY(peak > 0.3);
    QVERIFY(peak < 0.99);
    for (int c = 0; c < channels; ++c) {
        QVERIFY(std::abs(sampleAt(wave, 0, c)) < 0.02);
        QVERIFY(std::abs(sampleAt(wave, frames - 1, c)) < 0.02);
    }
}

void TestSoundClips::clipsDiffer() {
    QByteArray clips[3];
    const Sound sounds[3] = {Sound::Rising, Sound::Falling, Sound::Target};
    for (int i = 0; i < 3; ++i) {
        QFile file(soundResourcePath(sounds[i]));
        QVERIFY(file.open(QIODevice::ReadOnly));
        clips[i] = file.readAll();
    }
    QVERIFY(clips[0] != clips[1]);
    QVERIFY(clips[1] != clips[2]);
    QVERIFY(clips[0] != clips[2]);
}

QTEST_GUILESS_MAIN(TestSoundClips)
#include "test_sound_clips.moc"
