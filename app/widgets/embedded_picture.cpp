#include "app/widgets/embedded_picture.h"

#include "app/widgets/png_image.h"
#include "assets/assets_init.h"

#include <QFile>

namespace tavrin {

QImage embeddedPicture(const QString& resourcePath) {
    initAssets();
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodePng(file.readAll());
}

} // namespace tavrin
