#include "app/main_window/program_pictures.h"

#include "app/widgets/embedded_picture.h"

#include <QPixmap>

namespace tavrin {

namespace {

constexpr int iconSizes[] = {16, 20, 24, 30, 32, 36, 40, 48, 60, 64, 128, 256};

} // namespace

QIcon programIcon() {
    QIcon icon;
    for (int size : iconSizes) {
        const QImage image = embeddedPicture(QStringLiteral(":/tavrin/icons/tavrin_%1.png").arg(size));
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace tavrin
