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

using namespace Qt::StringLiterals;

// Recording stand-ins for the alert channels and the clock, for every test that
// needs one; safe to call from several threads.
namespace tavrin::test {

// What a fake was handed, in order, under a lock.
template <typename T> class Recorded {
public:
    void add(T item) {
        const std::lock_guard guard(m_mutex);
        m_items.append(std::move(item));
    }
    QList<T> items() const {
        const std::lock_guard guard(m_mutex);
        return m_items;
    }

private:
    mutable std::mutex m_mutex;
    QList<T> m_items;
};

class RecordingNotifier final : public Notifier {
public:
    void showBalloon(const Balloon& balloon) override { m_recorded.add(balloon); }
    QList<Balloon> balloons() const { return m_recorded.items(); }

private:
    Recorded<Balloon> m_recorded;
};

class RecordingSoundPlayer final : public SoundPlayer {
public:
    void play(Sound sound) override { m_recorded.add(sound); }
    QList<Sound> sounds() const { return m_recorded.items(); }

private:
    Recorded<Sound> m_recorded;
};

class RecordingLog final : public LogSink {
public:
    void writeLine(const QString& message) override { m_recorded.add(message); }
    QStringList lines() const { return m_recorded.items(); }

private:
    Recorded<QString> m_recorded;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at) : m_at(std::move(at)) {}
    QDateTime now() const override {
        const std::lock_guard guard(m_mutex);
        return m_at;
    }
    void set(QDateTime at) {
        const std::lock_guard guard(m_mutex);
        m_at = std::move(at);
    }

private:
    mutable std::mutex m_mutex;
    QDateTime m_at;
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
        texts.append(s == Sound::Rising ? u"rising"_s : s == Sound::Falling ? u"falling"_s : u"target"_s);
    return texts;
}

} // namespace tavrin::test
