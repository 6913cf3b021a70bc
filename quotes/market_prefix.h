#pragma once

#include <QString>
#include <QStringView>

// Market prefixes put before a stock code in requests ("sh", "sz", "bj").
// An empty result means the code has no market and no request is made.
namespace tavrin {

// The quote fetch: Shanghai 6, Shenzhen 0/3, Beijing 8/4/92; the two index codes first.
QString quotePrefix(QStringView code);

// The single-stock quote window: no Beijing row, B-shares 2 (sh) and funds 1 (sz).
QString quoteWindowPrefix(QStringView code);

// The investment-value page: the five Shanghai and Shenzhen rows only.
QString valuePagePrefix(QStringView code);

} // namespace tavrin
