#include "app/delivery/clip_player.h"
#include "assets/assets_init.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QtEndian>
#include <windows.h>
// mmsystem.h after windows.h: it relies on its types.
#include <mmsystem.h>

namespace tavrin {

namespace {

struct Clip {
    QByteArray wav; // what winmm reads while the clip sounds
    qint64 lengthMs = 0;
};

// PlaySound has one channel for the whole process: starting a clip ends the one
// before, whichever player started it. So the clips and what sounds now are
// kept once, not per player, and never freed: winmm may still be reading a clip
// while the process exits.
struct Channel {
    std::array<Clip, 3> clips;
    int playing = -1;
    QDeadlineTimer ends;
};

Channel& channel() {
    static auto* const shared = new Channel;
    return *shared;
}

quint32 readLe32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// The play time of a PCM RIFF/WAVE clip from its header: data bytes over bytes
// per second. 0 when the header is not one of those.
qint64 wavLengthMs(const QByteArray& wav) {
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return 0;
    quint32 bytesPerSecond = 0;
    for (qsizetype at = 12; at + 8 <= wav.size();) {
        const QByteArray id = wav.mid(at, 4);
        const quint32 size = readLe32(wav, at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= wav.size())
            bytesPerSecond = readLe32(wav, body + 8);
        else if (id == "data" && bytesPerSecond > 0)
            return static_cast<qint64>(size) * 1000 / bytesPerSecond;
        // Chunks are padded to an even length.
        at = body + static_cast<qsizetype>(size) + (size & 1U);
    }
    return 0;
}

} // namespace

ClipPlayer::ClipPlayer(QObject* parent) : QObject(parent) {
    initAssets();
}

bool ClipPlayer::isReady(Sound sound) const {
    const auto index = static_cast<size_t>(sound);
    return index < channel().clips.size() && !channel().clips[index].wav.isEmpty();
}

bool ClipPlayer::isPlaying(Sound sound) const {
    const Channel& now = channel();
    return now.playing == static_cast<int>(sound) && !now.ends.hasExpired();
}

void ClipPlayer::play(Sound sound) {
    const auto index = static_cast<size_t>(sound);
    Channel& now = channel();
    if (index >= now.clips.size())
        return;
    Clip& clip = now.clips[index];
    // Read on first use, so that a session without alerts never touches it.
    if (clip.wav.isEmpty()) {
        QFile file(soundResourcePath(sound));
        if (file.open(QIODevice::ReadOnly))
            clip.wav = file.readAll();
        clip.lengthMs = wavLengthMs(clip.wav);
    }
    ++m_playCount;
    if (clip.wav.isEmpty())
        return;
    // No audio device: PlaySound fails quietly and the clip counts as not sounding.
    constexpr DWORD flags = SND_MEMORY | SND_ASYNC | SND_NODEFAULT;
    if (PlaySoundA(clip.wav.constData(), nullptr, flags)) {
        now.playing = static_cast<int>(index);
        now.ends = QDeadlineTimer(clip.lengthMs);
    } else {
        now.playing = -1;
    }
}

} // namespace tavrin
