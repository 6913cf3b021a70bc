#include "tools/quote-sim/gif_encoder.h"

#include <algorithm>
#include <unordered_map>

namespace tavrin::sim {

namespace {

class CodeWriter {
public:
    void put(unsigned code, unsigned width) {
        m_bits |= static_cast<std::uint64_t>(code) << m_count;
        m_count += width;
        while (m_count >= 8) {
            m_bytes.push_back(static_cast<char>(m_bits & 0xFF));
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    std::string finish() {
        if (m_count > 0)
            m_bytes.push_back(static_cast<char>(m_bits & 0xFF));
        m_bits = 0;
        m_count = 0;
        return m_bytes;
    }

private:
    std::uint64_t m_bits = 0;
    unsigned m_count = 0;
    std::string m_bytes;
};

void putWord(std::string& out, int value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

// Variable-width LZW as GIF wants it: the width grows when the next code
// to assign no longer fits, and the table restarts after code 4095.
std::string lzw(const std::vector<std::uint8_t>& pixels, unsigned minCodeSize) {
    const unsigned clearCode = 1u << minCodeSize;
    const unsigned endCode = clearCode + 1;
    std::unordered_map<std::uint32_t, unsigned> table;
    unsigned nextCode = endCode + 1;
    unsigned width = minCodeSize + 1;
    CodeWriter writer;
    writer.put(clearCode, width);
    if (pixels.empty()) {
        writer.put(endCode, width);
        return writer.finish();
    }
    unsigned prefix = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint32_t key = (prefix << 8) | pixels[i];
        if (auto it = table.find(key); it != table.end()) {
            prefix = it->second;
            continue;
        }
        writer.put(prefix, width);
        if (nextCode < 4096) {
            if (nextCode == (1u << width))
                ++width;
            table.emplace(key, nextCode++);
        } else {
            writer.put(clearCode, width);
            table.clear();
            nextCode = endCode + 1;
            width = minCodeSize + 1;
        }
        prefix = pixels[i];
    }
    writer.put(prefix, width);
    writer.put(endCode, width);
    return writer.finish();
}

} // namespace

std::string encodeGif(const IndexedImage& image) {
    unsigned depth = 1;
    while ((1u << depth) < image.palette.size() && depth < 8)
        ++depth;
    std::string out = "GIF89a";
    putWord(out, image.width);
    putWord(out, image.height);
    out.push_back(static_cast<char>(0x80 | ((depth - 1) << 4) | (depth - 1)));
    out.push_back('\0'); // background colour index
    out.push_back('\0'); // pixel aspect ratio
    for (unsigned i = 0; i < (1u << depth); ++i) {
        const auto colour = i < image.palette.size() ? image.palette[i] : std::array<std::uint8_t, 3>{};
        for (std::uint8_t component : colour)
            out.push_back(static_cast<char>(component));
    }
    out.push_back(',');
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, image.width);
    putWord(out, image.height);
    out.push_back('\0'); // no local colour table, not interlaced
    const unsigned minCodeSize = depth < 2 ? 2 : depth;
    out.push_back(static_cast<char>(minCodeSize));
    const std::string data = lzw(image.pixels, minCodeSize);
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, data.size() - at);
        out.push_back(static_cast<char>(length));
        out.append(data, at, length);
    }
    out.push_back('\0');
    out.push_back(';');
    return out;
}

} // namespace tavrin::sim
