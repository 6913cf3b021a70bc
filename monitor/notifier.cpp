#include "monitor/notifier.h"

#include "platform/gbk.h"

namespace tavrin {

BalloonIcon balloonIconFromKind(int kind) {
    switch (kind) {
    case 0:
        return BalloonIcon::None;
    case 2:
        return BalloonIcon::Warning;
    case 3:
        return BalloonIcon::Error;
    default:
        return BalloonIcon::Information;
    }
}

Balloon makeBalloon(QStringView title, QStringView body, int iconKind, int timeoutMs) {
    return Balloon{gbk::truncateToBytes(title, balloonTitleMaxBytes),
                   gbk::truncateToBytes(body, balloonBodyMaxBytes), balloonIconFromKind(iconKind),
                   timeoutMs < 0 ? 0 : timeoutMs};
}

} // namespace tavrin
