#include "petals/frame_composer.h"
#include "petals/petal_pictures.h"
#include "petals/png_decode.h"

#include <QBuffer>
#include <QTest>

using namespace tavrin::petals;
using namespace Qt::StringLiterals;

namespace {

const QRgb blue = qRgb(0, 0, 255);
const QRgb red = qRgb(255, 0, 0);
const QRgb green = qRgb(0, 255, 0);

QByteArray solidPng(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage solidScreen(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Picture 1 red 4 x 3, picture 2 green 5 x 5, picture 3 fails to decode.
PetalPictures testPictures() {
    return PetalPictures::decode({solidPng(4, 3, red), solidPng(5, 5, green), QByteArray("not a picture")});
}

Petal petalOf(const PetalPictures& pictures, int templateIndex, int x, int y) {
    Petal p = pictures.templates()[static_cast<std::size_t>(templateIndex)];
    p.x = x;
    p.y = y;
    return p;
}

QRgb pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y);
}

} // namespace

class FrameComposerTest : public QObject {
    Q_OBJECT
private slots:
    void embeddedPicturesHaveTheirSizes_data();
    void embeddedPicturesHaveTheirSizes();
    void aFailedPictureLeavesAnEmptyTemplate();
    void snapshotModeDrawsPetalsOverTheScreenCopy();
    void laterPetalsLieOnTop();
    void everyFrameStartsFromTheScreenCopy();
    void passThroughFramesAreTransparentBesidesThePetals();
    void aFailedPictureDrawsNothing_data();
    void aFailedPictureDrawsNothing();
    void theScreenCopyFillsTheScreenSize();
};

void FrameComposerTest::embeddedPicturesHaveTheirSizes_data() {
    QTest::addColumn<int>("picture");
    QTest::addColumn<QSize>("size");
    const QSize sizes[] = {{133, 81},  {119, 66},  {150, 218}, {150, 218},
                           {150, 218}, {153, 214}, {206, 172}, {96, 103}};
    for (int n = 1; n <= 8; ++n)
        QTest::addRow("picture %d", n) << n << sizes[n - 1];
}

void FrameComposerTest::embeddedPicturesHaveTheirSizes() {
    QFETCH(int, picture);
    QFETCH(QSize, size);
    const QByteArray file = PetalPictures::embeddedFiles()[static_cast<std::size_t>(picture - 1)];
    // IHDR: width, height, bit depth 8, colour type 6 (RGBA), interlace 0.
    QCOMPARE(file.mid(12, 4), "IHDR");
    QCOMPARE(quint8(file[24]), quint8(8));
    QCOMPARE(quint8(file[25]), quint8(6));
    QCOMPARE(quint8(file[28]), quint8(0));

    const PetalPictures pictures = PetalPictures::embedded();
    QCOMPARE(pictures.templates().size(), std::size_t(8));
    const Petal t = pictures.templates()[static_cast<std::size_t>(picture - 1)];
    QCOMPARE(t, (Petal{picture, 0, 0, size.width(), size.height()}));
    const QImage& image = pictures.image(picture);
    QCOMPARE(image.size(), size);
    // A petal on a transparent ground, with soft edges between.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QVERIFY(qAlpha(image.pixel(size.width() / 2, size.height() / 2)) > 200);
}

void FrameComposerTest::aFailedPictureLeavesAnEmptyTemplate() {
    const PetalPictures pictures = testPictures();
    QCOMPARE(pictures.templates().size(), std::size_t(3));
    QCOMPARE(pictures.templates()[0], (Petal{1, 0, 0, 4, 3}));
    QCOMPARE(pictures.templates()[1], (Petal{2, 0, 0, 5, 5}));
    QCOMPARE(pictures.templates()[2], Petal{});
    QVERIFY(pictures.image(0).isNull());
    QVERIFY(pictures.image(3).isNull());
    QVERIFY(decodePng(solidPng(4, 3, red).left(40)).isNull());
    QCOMPARE(trayIconImage().size(), QSize(16, 16));
}

void FrameComposerTest::snapshotModeDrawsPetalsOverTheScreenCopy() {
    const PetalPictures pictures = testPictures();
    FrameComposer composer;
    composer.prepare(solidScreen(20, 10, blue), QSize(20, 10));
    // One inside, one half off the top-left corner.
    composer.compose({petalOf(pictures, 0, 2, 1), petalOf(pictures, 0, -2, -1)}, pictures, false,
                     QSize(20, 10));
    const QImage& frame = composer.frame();
    QCOMPARE(frame.size(), QSize(20, 10));
    QCOMPARE(pixel(frame, 2, 1), red);
    QCOMPARE(pixel(frame, 5, 3), red);
    QCOMPARE(pixel(frame, 6, 1), blue);
    QCOMPARE(pixel(frame, 2, 4), blue);
    QCOMPARE(pixel(frame, 0, 0), red);
    QCOMPARE(pixel(frame, 1, 1), red);
    QCOMPARE(pixel(frame, 0, 2), blue);
}

void FrameComposerTest::laterPetalsLieOnTop() {
    const PetalPictures pictures = testPictures();
    FrameComposer composer;
    composer.prepare(solidScreen(20, 10, blue), QSize(20, 10));
    composer.compose({petalOf(pictures, 0, 2, 2), petalOf(pictures, 1, 3, 3)}, pictures, false,
                     QSize(20, 10));
    QCOMPARE(pixel(composer.frame(), 2, 2), red);
    QCOMPARE(pixel(composer.frame(), 4, 3), green);
    composer.compose({petalOf(pictures, 1, 3, 3), petalOf(pictures, 0, 2, 2)}, pictures, false,
                     QSize(20, 10));
    QCOMPARE(pixel(composer.frame(), 4, 3), red);
}

void FrameComposerTest::everyFrameStartsFromTheScreenCopy() {
    const PetalPictures pictures = testPictures();
    FrameComposer composer;
    composer.prepare(solidScreen(20, 10, blue), QSize(20, 10));
    const QImage* buffer = &composer.frame();
    composer.compose({petalOf(pictures, 0, 2, 1)}, pictures, false, QSize(20, 10));
    composer.compose({petalOf(pictures, 0, 2, 6)}, pictures, false, QSize(20, 10));
    QCOMPARE(&composer.frame(), buffer);
    QCOMPARE(pixel(composer.frame(), 2, 1), blue);
    QCOMPARE(pixel(composer.frame(), 2, 6), red);
    QCOMPARE(pixel(composer.snapshot(), 2, 6), blue);
}

void FrameComposerTest::passThroughFramesAreTransparentBesidesThePetals() {
    const PetalPictures pictures = testPictures();
    FrameComposer composer;
    composer.prepare(solidScreen(20, 10, blue), QSize(20, 10));
    composer.compose({petalOf(pictures, 0, 2, 1)}, pictures, true, QSize(24, 12));
    QCOMPARE(composer.frame().size(), QSize(24, 12));
    QVERIFY(composer.frame().hasAlphaChannel());
    QCOMPARE(composer.frame().pixel(2, 1), qRgba(255, 0, 0, 255));
    QCOMPARE(composer.frame().pixel(6, 1), qRgba(0, 0, 0, 0));
    composer.compose({petalOf(pictures, 0, 10, 8)}, pictures, true, QSize(24, 12));
    QCOMPARE(composer.frame().pixel(2, 1), qRgba(0, 0, 0, 0));
    QCOMPARE(composer.frame().pixel(23, 11), qRgba(0, 0, 0, 0));
    QCOMPARE(composer.frame().pixel(10, 8), qRgba(255, 0, 0, 255));
}

void FrameComposerTest::aFailedPictureDrawsNothing_data() {
    QTest::addColumn<bool>("passThrough");
    QTest::newRow("snapshot mode") << false;
    QTest::newRow("pass-through mode") << true;
}

void FrameComposerTest::aFailedPictureDrawsNothing() {
    QFETCH(bool, passThrough);
    const PetalPictures pictures = testPictures();
    FrameComposer composer;
    composer.prepare(solidScreen(20, 10, blue), QSize(20, 10));
    composer.compose({}, pictures, passThrough, QSize(20, 10));
    const QImage empty = composer.frame().copy();
    composer.compose({petalOf(pictures, 2, 0, 0), petalOf(pictures, 2, 5, 5)}, pictures, passThrough,
                     QSize(20, 10));
    QCOMPARE(composer.frame(), empty);
}

void FrameComposerTest::theScreenCopyFillsTheScreenSize() {
    FrameComposer composer;
    composer.prepare(QImage(), QSize(8, 6));
    QCOMPARE(composer.snapshot().size(), QSize(8, 6));
    QCOMPARE(pixel(composer.snapshot(), 7, 5), qRgb(0, 0, 0));
    // A grab in device pixels (twice the screen's size) is brought down to it.
    composer.prepare(solidScreen(16, 12, green), QSize(8, 6));
    QCOMPARE(composer.snapshot().size(), QSize(8, 6));
    QCOMPARE(pixel(composer.snapshot(), 7, 5), green);
    QCOMPARE(composer.frame().size(), QSize(8, 6));
}

QTEST_MAIN(FrameComposerTest)
#include "test_frame_composer.moc"
