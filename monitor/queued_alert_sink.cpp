#include "monitor/queued_alert_sink.h"

#include <QCoreApplication>

namespace tavrin {

namespace {

const QEvent::Type deliverEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

QueuedAlertSink::QueuedAlertSink(Notifier& notifier, SoundPlayer& player, QObject* parent)
    : QObject(parent), m_notifier(notifier), m_player(player) {}

void QueuedAlertSink::showBalloon(const Balloon& balloon) {
    enqueue(balloon);
}

void QueuedAlertSink::play(Sound sound) {
    enqueue(sound);
}

void QueuedAlertSink::enqueue(Alert alert) {
    const std::lock_guard guard(m_mutex);
    m_pending.push_back(std::move(alert));
    // One delivery event at a time drains everything queued until it runs.
    // Posting under the lock orders the event before its delivery for any checker.
    if (!m_deliveryPosted) {
        m_deliveryPosted = true;
        QCoreApplication::postEvent(this, new QEvent(deliverEvent));
    }
}

void QueuedAlertSink::customEvent(QEvent* event) {
    std::vector<Alert> alerts;
    {
        // The event itself was made by the posting thread: look at it only under the lock.
        const std::lock_guard guard(m_mutex);
        if (event->type() != deliverEvent)
            return;
        alerts.swap(m_pending);
        m_deliveryPosted = false;
    }
    for (const Alert& alert : alerts) {
        if (const Balloon* balloon = std::get_if<Balloon>(&alert))
            m_notifier.showBalloon(*balloon);
        else
            m_player.play(std::get<Sound>(alert));
    }
}

} // namespace tavrin
