#include "petals/petal_pictures.h"

#include "petals/png_decode.h"

#include <QFile>
#include <QString>

using namespace Qt::StringLiterals;

// The resources live in a static library: its registration must be pulled in by
// hand, from outside any namespace.
static void initPetalResources() {
    Q_INIT_RESOURCE(petals);
}

namespace {

QByteArray readResource(const QString& path) {
    initPetalResources();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

namespace tavrin::petals {

PetalPictures PetalPictures::decode(const std::vector<QByteArray>& pngFiles) {
    PetalPictures pictures;
    int picture = 0;
    for (const QByteArray& file : pngFiles) {
        ++picture;
        QImage image = decodePng(file);
        if (image.isNull()) {
            pictures.m_templates.push_back({});
            pictures.m_images.emplace_back();
            continue;
        }
        pictures.m_templates.push_back({picture, 0, 0, image.width(), image.height()});
        // Premultiplied once here, so that every frame blends without converting.
        pictures.m_images.push_back(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    return pictures;
}

std::vector<QByteArray> PetalPictures::embeddedFiles() {
    std::vector<QByteArray> files;
    for (int n = 1; n <= count; ++n)
        files.push_back(readResource(u":/lumeve/petal_%1.png"_s.arg(n)));
    return files;
}

PetalPictures PetalPictures::embedded() {
    return decode(embeddedFiles());
}

const QImage& PetalPictures::image(int picture) const {
    if (picture < 1 || picture > static_cast<int>(m_images.size()))
        return m_none;
    return m_images[static_cast<std::size_t>(picture - 1)];
}

QImage trayIconImage() {
    return decodePng(readResource(u":/lumeve/tray_icon.png"_s));
}

} // namespace tavrin::petals
