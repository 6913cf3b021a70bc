#pragma once

#include "petals/petal.h"

#include <QByteArray>
#include <QImage>
#include <vector>

namespace tavrin::petals {

// The decoded petal pictures and the templates made from them. Picture n is
// template n's; a picture that fails to decode leaves its template with
// picture 0 and size 0 x 0, so its petals count and move but draw nothing.
class PetalPictures {
public:
    static constexpr int count = 8;

    PetalPictures() = default;
    static PetalPictures decode(const std::vector<QByteArray>& pngFiles);
    // The eight pictures embedded in the library.
    static PetalPictures embedded();
    static std::vector<QByteArray> embeddedFiles();

    const std::vector<Petal>& templates() const { return m_templates; }
    // A null image for picture 0 or one not known.
    const QImage& image(int picture) const;

private:
    std::vector<Petal> m_templates;
    std::vector<QImage> m_images;
    QImage m_none;
};

// The 16 x 16 picture of the effect's tray icon.
QImage trayIconImage();

} // namespace tavrin::petals
