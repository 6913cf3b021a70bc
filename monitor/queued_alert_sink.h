#pragma once

#include "monitor/notifier.h"
#include "monitor/sound_player.h"

#include <QEvent>
#include <QObject>
#include <mutex>
#include <variant>
#include <vector>

namespace tavrin {

// Hands balloons and sounds raised on any thread to the thread this object lives
// in (the UI thread), where the real notifier and player run, in the order they
// were raised. Every call is queued, also from the UI thread itself, so a caller
// never waits for a balloon or a sound. The notifier and the player must outlive
// this object, and every thread that calls it must be done before it is destroyed.
class QueuedAlertSink final : public QObject, public Notifier, public SoundPlayer {
    Q_OBJECT

public:
    QueuedAlertSink(Notifier& notifier, SoundPlayer& player, QObject* parent = nullptr);

    void showBalloon(const Balloon& balloon) override;
    void play(Sound sound) override;

protected:
    void customEvent(QEvent* event) override;

private:
    using Alert = std::variant<Balloon, Sound>;
    void enqueue(Alert alert);

    Notifier& m_notifier;
    SoundPlayer& m_player;
    // The hand-over between threads goes through this lock (not only through Qt's
    // event queue), so that thread checkers see it too.
    std::mutex m_mutex;
    std::vector<Alert> m_pending;
    bool m_deliveryPosted = false;
};

} // namespace tavrin
