#include "tools/quote-sim/gbk_text.h"

#include <cerrno>
#include <iconv.h>

namespace tavrin::sim {

std::string utf8ToGbk(std::string_view utf8) {
    iconv_t converter = iconv_open("GBK", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::string(utf8);
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            break;
        // Skip the offending UTF-8 sequence and mark it.
        std::size_t skip = 1;
        while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80)
            ++skip;
        in += skip;
        inLeft -= skip;
        if (outLeft == 0)
            break;
        *outPtr++ = '?';
        --outLeft;
    }
    out.resize(out.size() - outLeft);
    iconv_close(converter);
    return out;
}

} // namespace tavrin::sim
