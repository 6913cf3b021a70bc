#include "app/main_window/program_pictures.h"
#include "app/widgets/embedded_picture.h"
#include "app/widgets/png_image.h"

#include <QBuffer>
#include <QTest>
#include <QtEndian>

using namespace tavrin;

namespace {

QByteArray encodedWithQt(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage gradient(QImage::Format format) {
    QImage image(13, 7, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 19, y * 36, 255 - x * 9, 255 - y * 20));
    if (format == QImage::Format_Indexed8)
        return image.convertToFormat(format, Qt::ThresholdDither);
    return image.convertToFormat(format);
}

quint32 crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray chunk(const QByteArray& type, const QByteArray& data) {
    QByteArray out(4, '\0');
    qToBigEndian(quint32(data.size()), out.data());
    const QByteArray body = type + data;
    out += body;
    QByteArray crc(4, '\0');
    qToBigEndian(crc32(body), crc.data());
    return out + crc;
}

// A well-formed signature and header that claim a picture of the given size.
QByteArray headerOnly(quint32 width, quint32 height) {
    QByteArray ihdr(13, '\0');
    qToBigEndian(width, ihdr.data());
    qToBigEndian(height, ihdr.data() + 4);
    ihdr[8] = 8; // bit depth
    ihdr[9] = 6; // RGBA
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr);
}

} // namespace

class PngImageTest : public QObject {
    Q_OBJECT

private slots:
    void decodesEveryColourTypeToRgba_data() {
        QTest::addColumn<int>("format");
        QTest::newRow("RGBA") << int(QImage::Format_ARGB32);
        QTest::newRow("RGB") << int(QImage::Format_RGB32);
        QTest::newRow("grey") << int(QImage::Format_Grayscale8);
        QTest::newRow("palette") << int(QImage::Format_Indexed8);
    }

    void decodesEveryColourTypeToRgba() {
        QFETCH(int, format);
        const QImage original = gradient(QImage::Format(format));
        const QImage decoded = decodePng(encodedWithQt(original));
        QVERIFY(!decoded.isNull());
        QCOMPARE(decoded.format(), QImage::Format_RGBA8888);
        QCOMPARE(decoded.size(), original.size());
        const QImage expected = original.convertToFormat(QImage::Format_RGBA8888);
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                QCOMPARE(decoded.pixel(x, y), expected.pixel(x, y));
    }

    void badDataGivesNullImage_data() {
        QTest::addColumn<QByteArray>("data");
        const QByteArray good = encodedWithQt(gradient(QImage::Format_ARGB32));
        QByteArray badCrc = good;
        badCrc[good.indexOf("IDAT") + 6] = char(badCrc[good.indexOf("IDAT") + 6] ^ 0x5A);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("signature only") << good.left(8);
        QTest::newRow("header only") << headerOnly(13, 7);
        QTest::newRow("cut in the image data") << good.left(good.indexOf("IDAT") + 12);
        QTest::newRow("damaged image data") << badCrc;
        QTest::newRow("not a PNG") << QByteArray("GIF89a this is no picture at all");
        QTest::newRow("claims a huge picture") << headerOnly(100000, 100000) + chunk("IEND", {});
        QTest::newRow("claims zero width") << headerOnly(0, 7) + chunk("IEND", {});
    }

    void badDataGivesNullImage() {
        QFETCH(QByteArray, data);
        QVERIFY(decodePng(data).isNull());
    }

    void embeddedIconsDecode_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 20, 24, 30, 32, 36, 40, 48, 60, 64, 128, 256})
            QTest::addRow("%d px", size) << size;
    }

    void embeddedIconsDecode() {
        QFETCH(int, size);
        const QImage icon = embeddedPicture(QStringLiteral(":/tavrin/icons/tavrin_%1.png").arg(size));
        QCOMPARE(icon.size(), QSize(size, size));
        // Round badge: transparent corners, opaque centre.
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }

    void programIconHasEverySize() { QCOMPARE(programIcon().availableSizes().size(), 12); }

    void valuePagePicturesDecode() {
        QCOMPARE(embeddedPicture(QString::fromLatin1(valuePageFramePicture)).size(), QSize(857, 376));
        QCOMPARE(embeddedPicture(QString::fromLatin1(valueButtonPicture)).size(), QSize(20, 21));
    }

    void missingResourceGivesNullImage() {
        QVERIFY(embeddedPicture(QStringLiteral(":/tavrin/no/such/picture.png")).isNull());
    }
};

QTEST_MAIN(PngImageTest)
#include "test_png_image.moc"
