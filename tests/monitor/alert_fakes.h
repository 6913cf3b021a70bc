#pragma once

#include "monitor/clock.h"
#include "monitor/log_sink.h"
#include "monitor/notifier.h"
#include "monitor/sound_player.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <mutex>

// Recording stand-ins for the alert channels; safe to call from several threads.
namespace tavrin::test {

// What a fake was handed, in order, under a lock.
template <typename T> class Recorded {
public:
    void add(T item) {
        const std::lock_guard guard(mutex_);
        items_.append(std::move(item));
    }
    QList<T> items() const {
        const std::lock_guard guard(mutex_);
        return items_;
    }

private:
    mutable std::mutex mutex_;
    QList<T> items_;
};

class RecordingNotifier final : public Notifier {
public:
    void showBalloon(const Balloon& balloon) override { recorded_.add(balloon); }
    QList<Balloon> balloons() const { return recorded_.items(); }

private:
    Recorded<Balloon> recorded_;
};

class RecordingSoundPlayer final : public SoundPlayer {
public:
    void play(Sound sound) override { recorded_.add(sound); }
    QList<Sound> sounds() const { return recorded_.items(); }

private:
    Recorded<Sound> recorded_;
};

class RecordingLog final : public LogSink {
public:
    void writeLine(const QString& message) override { recorded_.add(message); }
    QStringList lines() const { return recorded_.items(); }

private:
    Recorded<QString> recorded_;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at) : at_(std::move(at)) {}
    QDateTime now() const override {
        const std::lock_guard guard(mutex_);
        return at_;
    }
    void set(QDateTime at) {
        const std::lock_guard guard(mutex_);
        at_ = std::move(at);
    }

private:
    mutable std::mutex mutex_;
    QDateTime at_;
};

// "title|body|icon|ms" per balloon, for readable comparisons.
inline QStringList describe(const QList<Balloon>& balloons) {
    QStringList texts;
    for (const Balloon& b : balloons)
        texts.append(b.title + u'|' + b.body + u'|' + QString::number(int(b.icon)) + u'|' +
                     QString::number(b.timeoutMs));
    return texts;
}

inline QStringList describe(const QList<Sound>& sounds) {
    QStringList texts;
    for (Sound s : sounds)
        texts.append(s == Sound::Rising ? u"rising"_qs : s == Sound::Falling ? u"falling"_qs : u"target"_qs);
    return texts;
}

} // namespace tavrin::test
