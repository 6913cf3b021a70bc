#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace tavrin {

// The value page server from TAVRIN_VALUE_URL; empty when none is configured.
QString valueServiceUrl();

// The valuation page of a code as typed (no market prefix), on the server at base.
QUrl valuePageUrl(const QString& base, const QString& code);

// The code the web view shows before the first evaluation.
inline constexpr char initialValueCode[] = "002202";

// The quote request of the page: base + "/q=" + prefix + code; empty when the
// code has no market on this page.
QByteArray valueQuoteUrl(const QString& base, const QString& code);

// The short local page shown when no value page server is configured.
QString notConfiguredPage();

} // namespace tavrin
