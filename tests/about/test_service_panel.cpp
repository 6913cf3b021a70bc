#include "app/about/about_controller.h"
#include "app/about/service_panel.h"
#include "app/main_window/main_window.h"
#include "app/main_window/program_pictures.h"
#include "app/widgets/canvas.h"
#include "store/watch_list_model.h"
#include "tests/app/edit_fixture.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

using namespace tavrin;
using namespace Qt::StringLiterals;

namespace {

const QColor magenta(255, 0, 255);
const QColor background = QColor::fromRgb(servicePanelBackground);
const QColor lineGrey(128, 128, 128);

class NoLinks final : public LinkOpener {
public:
    void open(const QString&) override {}
};

QImage rendered(QSize size, const QImage& contact) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    paintServicePanel(painter, size, QApplication::font(), contact);
    return image;
}

// Whether any pixel of the area is close to the colour.
bool anyPixelLike(const QImage& image, QRect area, QColor colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 24 && std::abs(c.green() - colour.green()) < 24 &&
                std::abs(c.blue() - colour.blue()) < 24)
                return true;
        }
    return false;
}

} // namespace

class ServicePanelTest : public QObject {
    Q_OBJECT

private:
    // A contact picture of one colour, of the real one's size.
    QImage m_solid = [] {
        QImage image(669, 1000, QImage::Format_RGB32);
        image.fill(magenta);
        return image;
    }();

private slots:
    void contactPictureRect_data() {
        QTest::addColumn<QSize>("canvas");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("design size") << QSize(368, 395) << QRect(211, 132, 130, 130);
        QTest::newRow("odd sizes") << QSize(369, 396) << QRect(211, 133, 130, 130);
        QTest::newRow("small: truncated toward zero") << QSize(201, 101) << QRect(85, -14, 130, 130);
    }

    void contactPictureRect() {
        QFETCH(QSize, canvas);
        QFETCH(QRect, rect);
        QCOMPARE(tavrin::contactPictureRect(canvas), rect);
    }

    void linesAtTheirRows_data() {
        QTest::addColumn<int>("row");
        QTest::newRow("under the heading") << 44;
        QTest::newRow("under the interface heading") << 234;
    }

    void linesAtTheirRows() {
        QFETCH(int, row);
        const QImage image = rendered({368, 395}, m_solid);
        QCOMPARE(image.pixelColor(10, row), lineGrey);
        QCOMPARE(image.pixelColor(120, row), lineGrey);
        QCOMPARE(image.pixelColor(200, row), lineGrey);
        QCOMPARE(image.pixelColor(120, row - 1), background);
        QCOMPARE(image.pixelColor(120, row + 1), background);
        QCOMPARE(image.pixelColor(9, row), background);
        QCOMPARE(image.pixelColor(345, row), background);
    }

    void contactPictureStretchedIntoItsSquare() {
        const QImage image = rendered({368, 395}, m_solid);
        QCOMPARE(image.pixelColor(211, 132), magenta);
        QCOMPARE(image.pixelColor(340, 132), magenta);
        QCOMPARE(image.pixelColor(211, 261), magenta);
        QCOMPARE(image.pixelColor(340, 261), magenta);
        // Drawn after the lower line, so it covers that line's end.
        QCOMPARE(image.pixelColor(250, 234), magenta);
        QVERIFY(image.pixelColor(210, 200) != magenta);
        QVERIFY(image.pixelColor(341, 200) != magenta);
        QVERIFY(image.pixelColor(280, 131) != magenta);
        QVERIFY(image.pixelColor(280, 262) != magenta);
    }

    void textsInTheirColoursAndPlaces() {
        const QImage image = rendered({368, 395}, m_solid);
        QVERIFY(anyPixelLike(image, {10, 20, 100, 22}, Qt::white));
        QVERIFY(!anyPixelLike(image, {10, 0, 300, 18}, Qt::white));
        QVERIFY(anyPixelLike(image, {10, 52, 190, 18}, QColor(255, 255, 0)));
        QVERIFY(anyPixelLike(image, {10, 152, 190, 18}, QColor(255, 255, 0)));
        QVERIFY(!anyPixelLike(image, {10, 172, 300, 36}, QColor(255, 255, 0)));
        QVERIFY(anyPixelLike(image, {10, 210, 100, 22}, Qt::white));
        // The contact text: 10 pixels below the picture, left-aligned with it.
        QVERIFY(anyPixelLike(image, {211, 272, 150, 60}, QColor(236, 236, 236)));
        QVERIFY(!anyPixelLike(image, {0, 272, 205, 60}, QColor(236, 236, 236)));
        QVERIFY(!anyPixelLike(image, {211, 262, 150, 9}, QColor(236, 236, 236)));
    }

    void contactTextHasThreeLines() {
        QCOMPARE(contactText().split(u"\r\n"_s).size(), 3);
        QCOMPARE(serviceLines().size(), 6);
    }

    void theCanvasPaintsThePanelOnEveryPaint() {
        WatchListModel model;
        MainWindow window(&model, programIcon());
        FakeMessages messages;
        AboutController about(window, messages, {}, std::make_unique<NoLinks>());
        Canvas* canvas = window.canvas();
        QCOMPARE(canvas->size(), QSize(368, 395));
        for (int paint = 0; paint < 2; ++paint) {
            const QImage image = canvas->grab().toImage();
            QCOMPARE(image.pixelColor(120, 44), lineGrey);
            QCOMPARE(image.pixelColor(120, 234), lineGrey);
            QCOMPARE(image.pixelColor(5, 5), background);
            // The real contact picture: a made-up code, dark modules on white.
            QVERIFY(anyPixelLike(image, {211, 132, 130, 130}, Qt::white));
        }
    }
};

QTEST_MAIN(ServicePanelTest)
#include "test_service_panel.moc"
