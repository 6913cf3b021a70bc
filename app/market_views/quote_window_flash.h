#pragma once

#include <QObject>
#include <QRgb>
#include <QTimer>
#include <functional>

namespace tavrin {

// The price label's flash: white, then the direction colour, 300 ms each, twice.
// Driven by a timer on the owner's thread, so nothing ever sleeps.
class PriceFlash : public QObject {
    Q_OBJECT

public:
    using Paint = std::function<void(QRgb colour)>;
    static constexpr int kStepMs = 300;
    static constexpr int kFlashes = 2;

    explicit PriceFlash(Paint paint, QObject* parent = nullptr);

    // Starts (or starts over) with white at once; ends on the direction colour.
    void start(QRgb directionColour);
    bool isRunning() const { return m_timer.isActive(); }

signals:
    void finished();

private:
    void step();

    Paint m_paint;
    QTimer m_timer;
    QRgb m_direction = 0;
    int m_step = 0;
};

} // namespace tavrin
