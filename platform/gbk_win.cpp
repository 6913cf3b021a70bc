#include "platform/gbk.h"
#include "platform/windows_api.h"

#include <algorithm>
#include <limits>

// The converter on Windows, where Qt has no ICU and so no GB18030: the system's
// code pages do the work. Windows has all of GB18030 as code page 54936. Where it
// is missing (Wine, for one) code page 936 (GBK) does the two-byte part, and the
// four-byte codes beyond the BMP, which are plain arithmetic, are done here; the
// four-byte codes of BMP characters outside GBK then decode to U+FFFD.
namespace tavrin::gbk {

namespace {

constexpr UINT kGb18030 = 54936;
constexpr UINT kGbk = 936;
constexpr int kMaxRun = 1 << 24; // characters per system call, far inside int

UINT codePage() {
    static const UINT page = IsValidCodePage(kGb18030) ? kGb18030 : kGbk;
    return page;
}

bool fullGb18030() {
    return codePage() == kGb18030;
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// GB18030 gives the characters beyond the BMP four-byte codes in order from
// 90 30 81 30: digit, lead-range byte, digit after the first byte.
QByteArray supplementaryToBytes(char32_t code) {
    unsigned index = code - 0x10000;
    char bytes[4];
    bytes[3] = static_cast<char>(0x30 + index % 10);
    index /= 10;
    bytes[2] = static_cast<char>(0x81 + index % 126);
    index /= 126;
    bytes[1] = static_cast<char>(0x30 + index % 10);
    bytes[0] = static_cast<char>(0x90 + index / 10);
    return QByteArray(bytes, 4);
}

// 0 when the four bytes are not such a code.
char32_t supplementaryFromBytes(QByteArrayView c) {
    const auto at = [&](qsizetype k) { return static_cast<unsigned>(static_cast<unsigned char>(c[k])); };
    if (at(0) < 0x90 || at(0) > 0xE3)
        return 0;
    const unsigned index =
        (((at(0) - 0x90) * 10 + (at(1) - 0x30)) * 126 + (at(2) - 0x81)) * 10 + (at(3) - 0x30);
    return index <= 0xFFFFF ? 0x10000 + index : 0;
}

// GBK writes the euro sign as the single byte 80, which GB18030 leaves invalid.
constexpr char16_t kEuro = 0x20AC;
constexpr QByteArrayView kEuroBytes("\xA2\xE3", 2);

// Whether the system can take the text in one call: every byte in a well-formed
// character, and nothing that the GBK fallback has to do itself.
bool wholeTextFits(QByteArrayView bytes) {
    if (bytes.size() > std::numeric_limits<int>::max())
        return false;
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype length = characterLength(bytes, i);
        if (length == 1 && static_cast<unsigned char>(bytes[i]) >= 0x80)
            return false;
        if (!fullGb18030() && (length == 4 || bytes.sliced(i, length) == kEuroBytes))
            return false;
        i += length;
    }
    return true;
}

// The system's decoding, or an empty string when the bytes map to nothing.
QString systemDecode(QByteArrayView bytes) {
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage(), MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(codePage(), MB_ERR_INVALID_CHARS, bytes.data(), size,
                        reinterpret_cast<wchar_t*>(text.data()), length);
    return text;
}

void appendCharacter(QString& out, QByteArrayView c) {
    const unsigned char lead = static_cast<unsigned char>(c[0]);
    if (c.size() == 1 && lead < 0x80) {
        out += QChar(lead);
        return;
    }
    if (c.size() > 1 && !fullGb18030()) {
        if (c == kEuroBytes) {
            out += QChar(kEuro);
            return;
        }
        if (c.size() == 4) {
            const char32_t code = supplementaryFromBytes(c);
            if (code) {
                out += QChar(QChar::highSurrogate(code));
                out += QChar(QChar::lowSurrogate(code));
            } else {
                out += QChar(QChar::ReplacementCharacter);
            }
            return;
        }
    }
    const QString decoded = c.size() > 1 ? systemDecode(c) : QString();
    out += decoded.isEmpty() ? QString(QChar(QChar::ReplacementCharacter)) : decoded;
}

// The system's encoding of a run, or an empty array when it refuses the run.
QByteArray systemEncode(QStringView run) {
    const auto* wide = reinterpret_cast<const wchar_t*>(run.utf16());
    const int size = static_cast<int>(run.size());
    // 54936 takes no default character; both write '?' for what they cannot.
    const int length = WideCharToMultiByte(codePage(), 0, wide, size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    QByteArray bytes(length, Qt::Uninitialized);
    WideCharToMultiByte(codePage(), 0, wide, size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

void appendSystemEncoded(QByteArray& out, QStringView text) {
    while (!text.isEmpty()) {
        qsizetype run = std::min<qsizetype>(text.size(), kMaxRun);
        if (run < text.size() && isHighSurrogate(text[run - 1].unicode()))
            --run; // keep a surrogate pair in one call
        const QByteArray bytes = systemEncode(text.first(run));
        if (!bytes.isEmpty()) {
            out += bytes;
        } else {
            // Refused as a whole: character by character, so only the culprit becomes '?'.
            for (qsizetype i = 0; i < run;) {
                const qsizetype length =
                    i + 1 < run && isHighSurrogate(text[i].unicode()) && isLowSurrogate(text[i + 1].unicode())
                        ? 2
                        : 1;
                const QByteArray one = systemEncode(text.sliced(i, length));
                out += one.isEmpty() ? QByteArray("?") : one;
                i += length;
            }
        }
        text = text.sliced(run);
    }
}

} // namespace

QString decode(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return {};
    if (wholeTextFits(bytes)) {
        const QString text = systemDecode(bytes);
        if (!text.isEmpty())
            return text;
    }
    // Character by character: what maps to nothing becomes U+FFFD, the rest survives.
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype length = characterLength(bytes, i);
        appendCharacter(out, bytes.sliced(i, length));
        i += length;
    }
    return out;
}

QByteArray encode(QStringView text) {
    QByteArray out;
    if (text.isEmpty())
        return out;
    if (fullGb18030()) {
        appendSystemEncoded(out, text);
        return out;
    }
    // GBK only: what it lacks or writes otherwise, in GB18030's own form.
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size();) {
        const char16_t c = text[i].unicode();
        const bool pair = isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1].unicode());
        if (!pair && c != kEuro) {
            ++i;
            continue;
        }
        appendSystemEncoded(out, text.sliced(runStart, i - runStart));
        if (pair) {
            out += supplementaryToBytes(QChar::surrogateToUcs4(c, text[i + 1].unicode()));
            i += 2;
        } else {
            out += kEuroBytes;
            ++i;
        }
        runStart = i;
    }
    appendSystemEncoded(out, text.sliced(runStart));
    return out;
}

} // namespace tavrin::gbk
