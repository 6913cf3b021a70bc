#include "app/value_page/frame_picture.h"

#include <algorithm>

namespace tavrin {

QImage fitFramePicture(const QImage& picture, QSize box) {
    if (picture.isNull() || box.isEmpty())
        return {};
    const double scale =
        std::max(double(box.width()) / picture.width(), double(box.height()) / picture.height());
    const QSize covering(std::max(box.width(), qRound(picture.width() * scale)),
                         std::max(box.height(), qRound(picture.height() * scale)));
    return picture.scaled(covering, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).copy({{0, 0}, box});
}

} // namespace tavrin
