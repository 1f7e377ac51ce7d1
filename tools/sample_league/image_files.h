// Small palette images and their GIF and PNG files, written by hand so that
// the generator needs no image library. The files are uncompressed in
// substance (stored deflate blocks, LZW codes that never build a string),
// which keeps the writers short and their bytes fixed for one picture.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sample {

struct IndexedImage {
    int width = 0, height = 0;
    std::vector<std::array<std::uint8_t, 3>> palette;  // at most 128 colours
    std::vector<std::uint8_t> pixels;                  // row by row, palette indices

    IndexedImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w * h), 0) {}
    std::uint8_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

std::string gif_bytes(const IndexedImage& image);
std::string png_bytes(const IndexedImage& image);

}  // namespace sample
