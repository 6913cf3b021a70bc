#pragma once

#include "notifier.h"
#include "sound_player.h"

class QObject;

namespace tavrin {

// Hands balloons and sounds raised on any thread to the thread of a context
// object (the UI thread), where the real notifier and player run. Every call is
// queued, also from the context's own thread, so the caller never waits.
// The notifier and the player must live as long as the context; calls still
// queued when the context is destroyed are dropped.
class QueuedAlertSink final : public Notifier, public SoundPlayer {
public:
    QueuedAlertSink(QObject* context, Notifier& notifier, SoundPlayer& player);

    void showBalloon(const Balloon& balloon) override;
    void play(Sound sound) override;

private:
    QObject* context_;
    Notifier* notifier_;
    SoundPlayer* player_;
};

} // namespace tavrin
