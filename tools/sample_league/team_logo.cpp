#include "team_logo.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace sample {
namespace {

// A 5 x 7 face: seven rows per glyph, the leftmost pixel in bit 4.
constexpr std::uint8_t kLetters[26][7] = {
    {0x0E, 0x11, 0x11, 0x11, 0x1F, 0x11, 0x11}, {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E},
    {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}, {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C},
    {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}, {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10},
    {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}, {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11},
    {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}, {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C},
    {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}, {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F},
    {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}, {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11},
    {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}, {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10},
    {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}, {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11},
    {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}, {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04},
    {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}, {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04},
    {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}, {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11},
    {0x11, 0x11, 0x11, 0x0A, 0x04, 0x04, 0x04}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F},
};
constexpr std::uint8_t kDigits[10][7] = {
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}, {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}, {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}, {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}, {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},
};

const std::uint8_t* glyph(char c) {
    if (c >= 'A' && c <= 'Z') return kLetters[c - 'A'];
    if (c >= '0' && c <= '9') return kDigits[c - '0'];
    return nullptr;
}

// Upper-case ASCII letter of a Windows-1252 byte, accents folded; 0 for none.
char base_letter(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c);
    static constexpr std::string_view accented = "\300\301\302\303\304\305\307\310\311\312\313\314\315\316\317\321"
                                                 "\322\323\324\325\326\331\332\333\334\335";
    static constexpr std::string_view base = "AAAAAACEEEEIIIINOOOOOUUUUY";
    const unsigned char lower = c >= 0xE0 && c != 0xF7 ? static_cast<unsigned char>(c - 0x20) : c;
    const auto at = accented.find(static_cast<char>(lower));
    return at == std::string_view::npos ? '\0' : base[at];
}

std::array<std::uint8_t, 3> parse_colour(const std::string& hex) {
    std::array<std::uint8_t, 3> rgb{};
    if (hex.size() != 7 || hex[0] != '#') throw std::runtime_error("not a colour: " + hex);
    for (int i = 0; i < 3; ++i)
        rgb[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::stoi(hex.substr(1 + 2 * i, 2), nullptr, 16));
    return rgb;
}

int luma(const std::array<std::uint8_t, 3>& c) { return (299 * c[0] + 587 * c[1] + 114 * c[2]) / 1000; }

}  // namespace

std::string team_initials(const Team& team) {
    std::string firsts, letters;
    bool word_start = true, word_has_letter = false;
    for (unsigned char c : team.plain_name) {
        if (c == ' ' || c == '-') {
            word_start = true;
            word_has_letter = false;
            continue;
        }
        const char letter = base_letter(c);
        if (!letter) continue;
        letters += letter;
        if (word_start && !word_has_letter) firsts += letter;
        word_has_letter = true;
        word_start = false;
    }
    if (firsts.size() >= 2) return firsts.substr(0, 2);
    if (letters.size() >= 2) return letters.substr(0, 2);
    return letters.empty() ? std::to_string(team.number % 100) : letters;
}

IndexedImage draw_logo(const Team& team) {
    IndexedImage image(kLogoSize, kLogoSize);
    const auto field = parse_colour(team.color1);
    auto mark = parse_colour(team.color2);
    // Two colours too alike would hide the initials: black or white instead.
    const int contrast = luma(field) - luma(mark);
    if (contrast > -96 && contrast < 96)
        mark = luma(field) > 128 ? std::array<std::uint8_t, 3>{0, 0, 0} : std::array<std::uint8_t, 3>{255, 255, 255};
    image.palette = {field, mark};

    constexpr int frame = 4, inset = 3;
    for (int y = 0; y < kLogoSize; ++y)
        for (int x = 0; x < kLogoSize; ++x) {
            const int edge = std::min(std::min(x, y), std::min(kLogoSize - 1 - x, kLogoSize - 1 - y));
            image.at(x, y) = edge >= inset && edge < inset + frame ? 1 : 0;
        }

    const std::string initials = team_initials(team);
    constexpr int scale = 4, glyph_w = 5 * scale, glyph_h = 7 * scale, gap = scale;
    const int count = static_cast<int>(initials.size());
    const int width = count * glyph_w + (count - 1) * gap;
    const int left = (kLogoSize - width) / 2, top = (kLogoSize - glyph_h) / 2;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* rows = glyph(initials[static_cast<std::size_t>(i)]);
        if (!rows) continue;
        for (int y = 0; y < glyph_h; ++y)
            for (int x = 0; x < glyph_w; ++x)
                if (rows[y / scale] & (0x10 >> (x / scale))) image.at(left + i * (glyph_w + gap) + x, top + y) = 1;
    }
    return image;
}

std::string logo_file_bytes(const Team& team) {
    const auto dot = team.logo.rfind('.');
    const std::string ext = dot == std::string::npos ? "" : team.logo.substr(dot);
    if (ext == ".png") return png_bytes(draw_logo(team));
    if (ext == ".gif") return gif_bytes(draw_logo(team));
    throw std::runtime_error("no image format for the logo " + team.logo);
}

}  // namespace sample
