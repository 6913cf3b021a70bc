#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace tavrin {

// The four values of the update manifest.
struct Manifest {
    QString summary;
    QString version;
    QString link;
    QString forcedFlag;

    // Only this exact text marks a forced update.
    bool forced() const { return forcedFlag == u"是"; }
};

// The manifest's text: UTF-8 up to the first zero byte.
QString manifestText(QByteArrayView body);

// The text strictly between the first start marker and the first end marker
// after it, unchanged; empty when either is missing. "#引号" in a marker stands
// for a double quote.
QString textBetweenMarkers(QStringView text, QString start, QString end);

// The four marked values of a manifest text.
Manifest readManifest(QStringView text);

// Versions compare as single-precision numbers of their leading digits; a text
// without a number counts as 0.
bool sameVersion(QStringView latest, QStringView current);

} // namespace tavrin
