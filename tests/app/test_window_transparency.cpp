#include "app/widgets/window_transparency.h"

#include <QPainter>
#include <QTest>
#include <QWidget>

using namespace tavrin;

namespace {

const QColor key(232, 3, 0);

// A window painted white with a patch of the key colour and a patch one step off it.
class PatchedWindow : public QWidget {
public:
    PatchedWindow() { resize(120, 80); }
    QRect keyPatch{10, 10, 30, 20};
    QRect nearPatch{60, 40, 20, 20};

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.fillRect(keyPatch, key);
        painter.fillRect(nearPatch, QColor(232, 3, 1));
    }
};

} // namespace

// The transparency operation off Windows: window opacity and a mask without the key-coloured pixels.
class WindowTransparencyTest : public QObject {
    Q_OBJECT
private slots:
    void opacityFollowsAlpha_data() {
        QTest::addColumn<int>("alpha");
        QTest::addColumn<bool>("keyed");
        QTest::addColumn<double>("opacity");
        QTest::newRow("opaque") << 255 << false << 1.0;
        QTest::newRow("ticker bar") << 232 << false << 232 / 255.0;
        QTest::newRow("almost invisible") << 1 << true << 1 / 255.0;
        QTest::newRow("slider at 200 with the key") << 200 << true << 200 / 255.0;
        QTest::newRow("key only") << 0 << true << 1.0;
        QTest::newRow("above the range") << 300 << false << 1.0;
    }
    void opacityFollowsAlpha() {
        QFETCH(int, alpha);
        QFETCH(bool, keyed);
        QFETCH(double, opacity);
        PatchedWindow window;
        applyTransparency(window, {alpha, keyed ? std::optional(key) : std::nullopt, false});
        QCOMPARE(window.windowOpacity(), opacity);
        QCOMPARE(window.mask().isEmpty(), !keyed);
    }

    void theMaskLeavesOutExactlyTheKeyColouredPixels() {
        PatchedWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        applyTransparency(window, {255, key, false});
        const QRegion mask = window.mask();
        for (int y = 0; y < window.height(); ++y)
            for (int x = 0; x < window.width(); ++x)
                QVERIFY2(mask.contains(QPoint(x, y)) != window.keyPatch.contains(QPoint(x, y)),
                         qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
        // A window that grows later is not cut off at its old size.
        QVERIFY(mask.contains(QPoint(500, 400)));
        QVERIFY(window.isVisible());
    }

    void aSecondCallReplacesTheFirst() {
        PatchedWindow window;
        applyTransparency(window, {255, key, false});
        QVERIFY(!window.mask().isEmpty());
        applyTransparency(window, {100, std::nullopt, false});
        QCOMPARE(window.windowOpacity(), 100 / 255.0);
        QVERIFY(window.mask().isEmpty());
    }

    void noKeyColouredPixelNoMask_data() {
        QTest::addColumn<QColor>("colour");
        QTest::newRow("a colour the window does not show") << QColor(1, 2, 3);
        QTest::newRow("black is no key") << QColor(Qt::black);
    }
    void noKeyColouredPixelNoMask() {
        QFETCH(QColor, colour);
        PatchedWindow window;
        applyTransparency(window, {255, colour, false});
        QVERIFY(window.mask().isEmpty());
    }

    void clickThroughIsAWindowFlag() {
        PatchedWindow window;
        applyTransparency(window, {255, std::nullopt, true});
        QVERIFY(window.windowFlags().testFlag(Qt::WindowTransparentForInput));
        applyTransparency(window, {1, std::nullopt, false});
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowTransparentForInput));
    }

    void regionOfAnImage() {
        QImage image(4, 3, QImage::Format_ARGB32);
        image.fill(Qt::white);
        image.setPixelColor(1, 1, key);
        image.setPixelColor(3, 2, key);
        const QRegion region = regionWithoutColour(image, key, QSize(10, 10));
        QCOMPARE(region, QRegion(0, 0, 10, 10) - QRegion(1, 1, 1, 1) - QRegion(3, 2, 1, 1));
    }
};

QTEST_MAIN(WindowTransparencyTest)
#include "test_window_transparency.moc"
