#include "app/terminal_link/gbk_conversion.h"

#include <cerrno>
#include <iconv.h>

namespace tavrin::terminal_link {
namespace {

// Bytes of the UTF-8 sequence at the front of text; 1 for a byte that starts none.
std::size_t utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 1;
    if (length > text.size())
        return 1;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

class Converter {
public:
    Converter() : m_handle(iconv_open("GBK", "UTF-8")) {}
    ~Converter() {
        if (isOpen())
            iconv_close(m_handle);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool isOpen() const { return m_handle != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return m_handle; }

private:
    iconv_t m_handle;
};

} // namespace

std::string gbkFromUtf8(std::string_view utf8, std::size_t maxBytes) {
    Converter converter;
    if (!converter.isOpen())
        return {};
    std::string out(maxBytes, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* next = out.data();
    std::size_t outLeft = maxBytes;
    while (inLeft > 0 && outLeft > 0) {
        if (iconv(converter.handle(), &in, &inLeft, &next, &outLeft) != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG)
            break;
        // EILSEQ or a truncated sequence at the end (EINVAL): one '?' for it.
        *next++ = '?';
        --outLeft;
        const std::size_t skip = utf8SequenceLength(std::string_view(in, inLeft));
        in += skip;
        inLeft -= skip;
    }
    out.resize(maxBytes - outLeft);
    return out;
}

std::string utf8FromLatin1(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

} // namespace tavrin::terminal_link
