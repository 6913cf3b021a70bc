#include "queued_alert_sink.h"

#include <QMetaObject>
#include <QObject>

namespace tavrin {

QueuedAlertSink::QueuedAlertSink(QObject* context, Notifier& notifier, SoundPlayer& player)
    : context_(context), notifier_(&notifier), player_(&player) {}

void QueuedAlertSink::showBalloon(const Balloon& balloon) {
    QMetaObject::invokeMethod(
        context_, [notifier = notifier_, balloon] { notifier->showBalloon(balloon); }, Qt::QueuedConnection);
}

void QueuedAlertSink::play(Sound sound) {
    QMetaObject::invokeMethod(
        context_, [player = player_, sound] { player->play(sound); }, Qt::QueuedConnection);
}

} // namespace tavrin
