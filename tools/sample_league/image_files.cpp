#include "image_files.h"

#include <algorithm>

namespace sample {
namespace {

void put16le(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void put32be(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

std::uint32_t crc32(const std::string& bytes, std::size_t from) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i)
        c = table[(c ^ static_cast<std::uint8_t>(bytes[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void png_chunk(std::string& out, const char* type, const std::string& data) {
    put32be(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.append(type, 4);
    out += data;
    put32be(out, crc32(out, start));
}

// A zlib stream of stored deflate blocks.
std::string zlib_stored(const std::string& raw) {
    std::string z = "\x78\x01";
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
        const bool last = at + n == raw.size();
        z += static_cast<char>(last ? 1 : 0);
        put16le(z, static_cast<unsigned>(n));
        put16le(z, static_cast<unsigned>(~n & 0xFFFF));
        z.append(raw, at, n);
        at += n;
    } while (at < raw.size());
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    put32be(z, (b << 16) | a);
    return z;
}

}  // namespace

std::string png_bytes(const IndexedImage& image) {
    std::string out = "\x89PNG\r\n\x1A\n";
    std::string header;
    put32be(header, static_cast<std::uint32_t>(image.width));
    put32be(header, static_cast<std::uint32_t>(image.height));
    header += std::string("\x08\x03\x00\x00\x00", 5);  // 8-bit palette indices
    png_chunk(out, "IHDR", header);
    std::string palette;
    for (const auto& c : image.palette) palette.append(reinterpret_cast<const char*>(c.data()), 3);
    png_chunk(out, "PLTE", palette);
    std::string raw;
    for (int y = 0; y < image.height; ++y) {
        raw += '\0';  // filter: none
        raw.append(reinterpret_cast<const char*>(&image.pixels[static_cast<std::size_t>(y * image.width)]),
                   static_cast<std::size_t>(image.width));
    }
    png_chunk(out, "IDAT", zlib_stored(raw));
    png_chunk(out, "IEND", "");
    return out;
}

std::string gif_bytes(const IndexedImage& image) {
    std::string out = "GIF89a";
    put16le(out, static_cast<unsigned>(image.width));
    put16le(out, static_cast<unsigned>(image.height));
    int table_bits = 1;
    while ((1u << table_bits) < image.palette.size()) ++table_bits;
    out += static_cast<char>(0x80 | 0x70 | (table_bits - 1));  // global table, 8-bit colour
    out += '\0';                                             // background colour index
    out += '\0';                                             // square pixels
    for (std::size_t i = 0; i < (1u << table_bits); ++i) {
        const auto c = i < image.palette.size() ? image.palette[i] : std::array<std::uint8_t, 3>{0, 0, 0};
        out.append(reinterpret_cast<const char*>(c.data()), 3);
    }
    out += ',';
    put16le(out, 0);
    put16le(out, 0);
    put16le(out, static_cast<unsigned>(image.width));
    put16le(out, static_cast<unsigned>(image.height));
    out += '\0';  // no local table, not interlaced

    // With a minimum code size of 7 every code is 8 bits wide, one byte, as
    // long as the decoder's table stays below 256 entries: a clear code
    // every 100 pixels sees to that (each pixel code adds one entry).
    constexpr char kClear = static_cast<char>(128), kEnd = static_cast<char>(129);
    std::string codes;
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        if (i % 100 == 0) codes += kClear;
        codes += static_cast<char>(image.pixels[i]);
    }
    codes += kEnd;
    out += '\x07';
    for (std::size_t at = 0; at < codes.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(codes.size() - at, 255);
        out += static_cast<char>(n);
        out.append(codes, at, n);
    }
    out += '\0';  // end of the image data
    out += ';';   // trailer
    return out;
}

}  // namespace sample
