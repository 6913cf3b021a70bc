#include "queued_alert_sink.h"

#include <QCoreApplication>

namespace tavrin {

namespace {

const QEvent::Type deliverEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

QueuedAlertSink::QueuedAlertSink(Notifier& notifier, SoundPlayer& player, QObject* parent)
    : QObject(parent), notifier_(notifier), player_(player) {}

void QueuedAlertSink::showBalloon(const Balloon& balloon) {
    enqueue(balloon);
}

void QueuedAlertSink::play(Sound sound) {
    enqueue(sound);
}

void QueuedAlertSink::enqueue(Alert alert) {
    const std::lock_guard guard(mutex_);
    pending_.push_back(std::move(alert));
    // One delivery event at a time drains everything queued until it runs.
    // Posting under the lock orders the event before its delivery for any checker.
    if (!deliveryPosted_) {
        deliveryPosted_ = true;
        QCoreApplication::postEvent(this, new QEvent(deliverEvent));
    }
}

void QueuedAlertSink::customEvent(QEvent* event) {
    std::vector<Alert> alerts;
    {
        // The event itself was made by the posting thread: look at it only under the lock.
        const std::lock_guard guard(mutex_);
        if (event->type() != deliverEvent)
            return;
        alerts.swap(pending_);
        deliveryPosted_ = false;
    }
    for (const Alert& alert : alerts) {
        if (const Balloon* balloon = std::get_if<Balloon>(&alert))
            notifier_.showBalloon(*balloon);
        else
            player_.play(std::get<Sound>(alert));
    }
}

} // namespace tavrin
