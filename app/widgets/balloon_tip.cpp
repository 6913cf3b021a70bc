#include "app/widgets/balloon_tip.h"

#include <QToolTip>

namespace tavrin {

BalloonTip::BalloonTip(QObject* parent) : QObject(parent) {}

void BalloonTip::showAt(QPoint globalPosition, const QString& text) {
    QToolTip::showText(globalPosition, text);
    emit shown(globalPosition, text);
}

} // namespace tavrin
