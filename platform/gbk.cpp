#include "platform/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

// The converter where Qt has GB18030 (through ICU).
namespace tavrin::gbk {

QString decode(QByteArrayView bytes) {
    QStringDecoder decoder("GB18030");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray encode(QStringView text) {
    QStringEncoder encoder("GB18030");
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

} // namespace tavrin::gbk
