#include "tools/quote-sim/minute_chart.h"

#include "tools/quote-sim/gif_encoder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tavrin::sim {

namespace {

enum Colour : std::uint8_t { White, Grid, Frame, Line, Up, Down, Reference, Black };

constexpr int left = 4;
constexpr int right = minuteChartWidth - 5;
constexpr int priceTop = 4;
constexpr int priceBottom = 214;
constexpr int volumeTop = 224;
constexpr int volumeBottom = minuteChartHeight - 5;
constexpr int slots = 242;

class Canvas {
public:
    Canvas() {
        m_image.width = minuteChartWidth;
        m_image.height = minuteChartHeight;
        m_image.palette = {{255, 255, 255}, {225, 225, 225}, {128, 128, 128}, {30, 90, 200},
                           {224, 32, 32},   {32, 160, 64},   {240, 160, 0},   {0, 0, 0}};
        m_image.pixels.assign(static_cast<std::size_t>(minuteChartWidth * minuteChartHeight), White);
    }

    void dot(int x, int y, Colour colour) {
        if (x >= 0 && y >= 0 && x < m_image.width && y < m_image.height)
            m_image.pixels[static_cast<std::size_t>(y * m_image.width + x)] = colour;
    }

    void line(int x0, int y0, int x1, int y1, Colour colour, int dash = 0) {
        const int dx = std::abs(x1 - x0);
        const int dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1;
        const int sy = y0 < y1 ? 1 : -1;
        int error = dx + dy;
        for (int n = 0;; ++n) {
            if (dash == 0 || (n / dash) % 2 == 0)
                dot(x0, y0, colour);
            if (x0 == x1 && y0 == y1)
                break;
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x0 += sx;
            }
            if (twice <= dx) {
                error += dx;
                y0 += sy;
            }
        }
    }

    void frame(int top, int bottom) {
        line(left, top, right, top, Frame);
        line(left, bottom, right, bottom, Frame);
        line(left, top, left, bottom, Frame);
        line(right, top, right, bottom, Frame);
    }

    const IndexedImage& image() const { return m_image; }

private:
    IndexedImage m_image;
};

int slotX(std::size_t slot) {
    return left + static_cast<int>(std::lround(static_cast<double>(slot) * (right - left) / (slots - 1)));
}

} // namespace

std::string minuteChartGif(const ChartData& chart) {
    Canvas canvas;
    for (int i = 1; i < 4; ++i) {
        const int x = left + (right - left) * i / 4;
        canvas.line(x, priceTop, x, priceBottom, Grid, 3);
        canvas.line(x, volumeTop, x, volumeBottom, Grid, 3);
        const int y = priceTop + (priceBottom - priceTop) * i / 4;
        canvas.line(left, y, right, y, Grid, 3);
    }
    canvas.frame(priceTop, priceBottom);
    canvas.frame(volumeTop, volumeBottom);

    const double reference = chart.previousClose;
    const int middle = (priceTop + priceBottom) / 2;
    canvas.line(left, middle, right, middle, Reference, 4);
    if (chart.points.empty() || reference <= 0)
        return encodeGif(canvas.image());

    double span = reference * 0.01;
    long long maxVolume = 1;
    for (const ChartPoint& point : chart.points) {
        span = std::max(span, std::abs(point.price - reference) * 1.1);
        maxVolume = std::max(maxVolume, point.volume);
    }
    const auto priceY = [&](double price) {
        const double half = (priceBottom - priceTop) / 2.0 - 2;
        return middle - static_cast<int>(std::lround((price - reference) / span * half));
    };

    const std::size_t count = std::min<std::size_t>(chart.points.size(), slots);
    const std::size_t first = chart.points.size() - count;
    for (std::size_t i = 0; i < count; ++i) {
        const ChartPoint& point = chart.points[first + i];
        const int x = slotX(i);
        const double before = i > 0 ? chart.points[first + i - 1].price : reference;
        const auto height =
            static_cast<int>(std::lround(static_cast<double>(point.volume) / static_cast<double>(maxVolume) *
                                         (volumeBottom - volumeTop - 2)));
        if (height > 0)
            canvas.line(x, volumeBottom - 1, x, volumeBottom - height, point.price >= before ? Up : Down);
        if (i > 0)
            canvas.line(slotX(i - 1), priceY(before), x, priceY(point.price), Line);
    }
    return encodeGif(canvas.image());
}

} // namespace tavrin::sim
