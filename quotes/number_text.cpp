#include "quotes/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tavrin {

double textToDouble(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        number += static_cast<char>(text[i++].unicode());
    bool digits = false;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        number += static_cast<char>(text[i++].unicode());
        digits = true;
    }
    if (i < text.size() && text[i] == u'.') {
        number += '.';
        ++i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            number += static_cast<char>(text[i++].unicode());
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

QString doubleToText(double value) {
    if (!std::isfinite(value) || value == 0.0)
        return QStringLiteral("0");
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.13g", value);
    QString text = QString::fromLatin1(buffer);
    // A tiny negative value can print as "-0".
    if (text == u"-0")
        return QStringLiteral("0");
    return text;
}

double roundHalfAwayFromZero(double value, int decimals) {
    if (!std::isfinite(value))
        return 0.0;
    const double scale = std::pow(10.0, decimals);
    const double magnitude = std::fabs(value) * scale + 1e-12;
    double whole = std::floor(magnitude);
    if (magnitude - whole >= 0.5)
        whole += 1.0;
    const double rounded = whole / scale;
    return value < 0 ? -rounded : rounded;
}

} // namespace tavrin
