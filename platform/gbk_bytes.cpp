#include "platform/gbk.h"

// Byte counts and cuts, the same on every platform: they only need encode()
// and decode() from the platform's converter.
namespace tavrin::gbk {

qsizetype byteLength(QStringView text) {
    return encode(text).size();
}

QString truncateToBytes(QStringView text, qsizetype maxBytes) {
    if (maxBytes <= 0)
        return {};
    const QByteArray bytes = encode(text);
    if (bytes.size() <= maxBytes)
        return text.toString();
    qsizetype end = 0;
    while (end < bytes.size()) {
        const qsizetype next = end + characterLength(bytes, end);
        if (next > maxBytes)
            break;
        end = next;
    }
    return decode(QByteArrayView(bytes).first(end));
}

qsizetype characterLength(QByteArrayView bytes, qsizetype i) {
    const auto byteAt = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const qsizetype left = bytes.size() - i;
    const unsigned char lead = byteAt(i);
    if (lead < 0x81 || lead == 0xFF || left < 2)
        return 1;
    const unsigned char second = byteAt(i + 1);
    if (second >= 0x30 && second <= 0x39) {
        // GB18030 four-byte form: lead, digit, lead-range byte, digit.
        if (left >= 4 && byteAt(i + 2) >= 0x81 && byteAt(i + 2) <= 0xFE && byteAt(i + 3) >= 0x30 &&
            byteAt(i + 3) <= 0x39)
            return 4;
        return 1;
    }
    if (second >= 0x40 && second <= 0xFE && second != 0x7F)
        return 2;
    return 1;
}

} // namespace tavrin::gbk
