#pragma once

#include <QString>
#include <QStringView>

namespace tavrin {

enum class BalloonIcon { None = 0, Information = 1, Warning = 2, Error = 3 };

// A balloon tip from the tray icon.
struct Balloon {
    QString title;
    QString body;
    BalloonIcon icon = BalloonIcon::Information;
    int timeoutMs = 0;

    friend bool operator==(const Balloon&, const Balloon&) = default;
};

// The platform's balloon limits, in GBK bytes.
inline constexpr qsizetype balloonTitleMaxBytes = 63;
inline constexpr qsizetype balloonBodyMaxBytes = 255;

// Icon kinds 0 to 3 as they are; any other kind is taken as information.
BalloonIcon balloonIconFromKind(int kind);

// A balloon with title and body cut to the limits at character boundaries.
// A negative time is taken as 0.
Balloon makeBalloon(QStringView title, QStringView body, int iconKind, int timeoutMs);

// Shows balloon tips. Implementations belong to the thread that owns the tray icon;
// callers elsewhere go through QueuedAlertSink.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void showBalloon(const Balloon& balloon) = 0;
};

} // namespace tavrin
