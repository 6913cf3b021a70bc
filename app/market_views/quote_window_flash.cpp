#include "app/market_views/quote_window_flash.h"

#include "app/market_views/quote_window_catalogue.h"

namespace tavrin {

PriceFlash::PriceFlash(Paint paint, QObject* parent) : QObject(parent), m_paint(std::move(paint)) {
    m_timer.setInterval(kStepMs);
    connect(&m_timer, &QTimer::timeout, this, &PriceFlash::step);
}

void PriceFlash::start(QRgb directionColour) {
    m_direction = directionColour;
    m_step = 0;
    m_paint(quoteWhite);
    m_timer.start();
}

void PriceFlash::step() {
    // Even steps are white, odd ones the direction colour; the last is the second direction step.
    ++m_step;
    const bool white = m_step % 2 == 0;
    m_paint(white ? quoteWhite : m_direction);
    if (m_step == 2 * kFlashes - 1) {
        m_timer.stop();
        emit finished();
    }
}

} // namespace tavrin
