#include "app/update/manifest.h"

#include "quotes/number_text.h"

using namespace Qt::StringLiterals;

namespace tavrin {

QString manifestText(QByteArrayView body) {
    if (const qsizetype zero = body.indexOf('\0'); zero >= 0)
        body = body.first(zero);
    return QString::fromUtf8(body);
}

QString textBetweenMarkers(QStringView text, QString start, QString end) {
    start.replace(u"#引号"_s, u"\""_s);
    end.replace(u"#引号"_s, u"\""_s);
    const qsizetype startAt = text.indexOf(start);
    if (startAt < 0)
        return {};
    const qsizetype valueAt = startAt + start.size();
    const qsizetype endAt = text.indexOf(end, valueAt);
    if (endAt < 0)
        return {};
    return text.sliced(valueAt, endAt - valueAt).toString();
}

Manifest readManifest(QStringView text) {
    Manifest manifest;
    manifest.summary = textBetweenMarkers(text, u"更新摘要2："_s, u"（完）"_s);
    manifest.version = textBetweenMarkers(text, u"最新版本2：V"_s, u"版 "_s);
    manifest.link = textBetweenMarkers(text, u"地址链接2："_s, u"（更新版本）"_s);
    manifest.forcedFlag = textBetweenMarkers(text, u"是否强制更新："_s, u"（重要更新）"_s);
    return manifest;
}

bool sameVersion(QStringView latest, QStringView current) {
    return static_cast<float>(textToDouble(latest)) == static_cast<float>(textToDouble(current));
}

} // namespace tavrin
