#include "app/widgets/standard_font.h"

#include <QApplication>
#include <QFont>
#include <QStringList>

namespace tavrin {

void applyStandardFont(QApplication& application) {
    QFont font = QApplication::font();
    // Missing faces are skipped; the font database falls back to any face with the glyphs.
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun"), font.family()});
    // The designed controls are sized for a 9-point face on a 96-dpi screen.
    font.setPixelSize(12);
    application.setFont(font);
}

} // namespace tavrin
