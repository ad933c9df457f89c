// A small PNG encoder for the pictures the demo game page shows: 8-bit
// RGBA, one IDAT chunk, no filtering.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vostra::demo {

// One picture, row by row from the top; each pixel is 0xRRGGBBAA.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // width * height entries
};

// The picture as the bytes of a PNG file; "" when its size does not match
// its pixels or it cannot be compressed.
std::string EncodePng(const RgbaImage& image);

}  // namespace vostra::demo
