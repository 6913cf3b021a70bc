#pragma once

#include <QString>
#include <QStringView>

namespace tavrin {

// The text with every ASCII space and every full-width space (U+3000) removed,
// wherever they stand. Nothing else is checked: a text that is no number stays.
QString withoutSpaces(QStringView text);

} // namespace tavrin
