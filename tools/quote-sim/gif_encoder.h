#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tavrin::sim {

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::array<std::uint8_t, 3>> palette; // 2..256 colours
    std::vector<std::uint8_t> pixels;                 // row by row, palette indices
};

// A GIF89a file of one LZW-compressed frame.
std::string encodeGif(const IndexedImage& image);

} // namespace tavrin::sim
