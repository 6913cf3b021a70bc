#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Every persistent text and every service reply of Tavrin is GBK. These helpers
// convert at the edges; inside the program texts are QString.
namespace tavrin::gbk {

// Decodes with the GB18030 decoder, a superset of GBK, so rare characters survive.
// Invalid bytes become U+FFFD; nothing is dropped silently.
QString decode(QByteArrayView bytes);

// Encodes to GBK (GB18030, whose two-byte part is GBK).
QByteArray encode(QStringView text);

// The length of the text in GBK bytes: a "length counted in bytes" everywhere.
qsizetype byteLength(QStringView text);

// The longest prefix of the text whose GBK encoding fits in maxBytes, never
// cutting a character in two.
QString truncateToBytes(QStringView text, qsizetype maxBytes);

// Length of the GBK character starting at bytes[i]: 1 for ASCII, 2 for a lead byte
// followed by a trail byte, 4 for a GB18030 four-byte sequence.
qsizetype characterLength(QByteArrayView bytes, qsizetype i);

} // namespace tavrin::gbk
