#pragma once

#include <QString>
#include <QStringView>

// The number and text conversions every price display shares.
namespace tavrin {

// Reads a leading decimal number ("12.5元" -> 12.5, "-.5" -> -0.5); 0 when there is none.
// Leading blanks are skipped; no exponent, hex, inf or nan is accepted.
double textToDouble(QStringView text);

// Shortest general form with at most 13 significant digits: 1.5, -0.28, 11.11, 0.
// Never "-0"; a value that is not finite is written as 0.
QString doubleToText(double value);

// Rounds halves away from zero after nudging the magnitude by 1e-12, so that
// 1.005 (stored as 1.00499...) gives 1.01.
double roundHalfAwayFromZero(double value, int decimals);

} // namespace tavrin
