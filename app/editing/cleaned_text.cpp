#include "app/editing/cleaned_text.h"

namespace tavrin {

QString withoutSpaces(QStringView text) {
    QString cleaned;
    cleaned.reserve(text.size());
    for (const QChar c : text) {
        if (c != u' ' && c != QChar(0x3000))
            cleaned.append(c);
    }
    return cleaned;
}

} // namespace tavrin
