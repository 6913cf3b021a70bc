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

class RecordingNotifier final : public Notifier {
public:
    void showBalloon(const Balloon& balloon) override {
        const std::lock_guard guard(mutex_);
        balloons_.append(balloon);
    }
    QList<Balloon> balloons() const {
        const std::lock_guard guard(mutex_);
        return balloons_;
    }

private:
    mutable std::mutex mutex_;
    QList<Balloon> balloons_;
};

class RecordingSoundPlayer final : public SoundPlayer {
public:
    void play(Sound sound) override {
        const std::lock_guard guard(mutex_);
        sounds_.append(sound);
    }
    QList<Sound> sounds() const {
        const std::lock_guard guard(mutex_);
        return sounds_;
    }

private:
    mutable std::mutex mutex_;
    QList<Sound> sounds_;
};

class RecordingLog final : public LogSink {
public:
    void writeLine(const QString& message) override {
        const std::lock_guard guard(mutex_);
        lines_.append(message);
    }
    QStringList lines() const {
        const std::lock_guard guard(mutex_);
        return lines_;
    }

private:
    mutable std::mutex mutex_;
    QStringList lines_;
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
