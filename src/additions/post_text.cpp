#include "additions/post_text.h"

#include "text/code_page.h"

#include <algorithm>
#include <cstring>

namespace vr {
namespace {

struct Named {
    const char* name;
    char32_t cp;
};

// Sorted by name (byte order) for the binary search: the markup ones, the
// Latin-1 ones and those of the code page's own 0x80..0x9F range.
constexpr Named kNamed[] = {
    {"AElig", 0xC6}, {"Aacute", 0xC1}, {"Acirc", 0xC2}, {"Agrave", 0xC0}, {"Aring", 0xC5},
    {"Atilde", 0xC3}, {"Auml", 0xC4}, {"Ccedil", 0xC7}, {"Dagger", 0x2021}, {"ETH", 0xD0},
    {"Eacute", 0xC9}, {"Ecirc", 0xCA}, {"Egrave", 0xC8}, {"Euml", 0xCB}, {"Iacute", 0xCD},
    {"Icirc", 0xCE}, {"Igrave", 0xCC}, {"Iuml", 0xCF}, {"Ntilde", 0xD1}, {"OElig", 0x152},
    {"Oacute", 0xD3}, {"Ocirc", 0xD4}, {"Ograve", 0xD2}, {"Oslash", 0xD8}, {"Otilde", 0xD5},
    {"Ouml", 0xD6}, {"Scaron", 0x160}, {"THORN", 0xDE}, {"Uacute", 0xDA}, {"Ucirc", 0xDB},
    {"Ugrave", 0xD9}, {"Uuml", 0xDC}, {"Yacute", 0xDD}, {"Yuml", 0x178}, {"aacute", 0xE1},
    {"acirc", 0xE2}, {"acute", 0xB4}, {"aelig", 0xE6}, {"agrave", 0xE0}, {"amp", '&'},
    {"apos", '\''}, {"aring", 0xE5}, {"atilde", 0xE3}, {"auml", 0xE4}, {"bdquo", 0x201E},
    {"brvbar", 0xA6}, {"bull", 0x2022}, {"ccedil", 0xE7}, {"cedil", 0xB8}, {"cent", 0xA2},
    {"circ", 0x2C6}, {"copy", 0xA9}, {"curren", 0xA4}, {"dagger", 0x2020}, {"deg", 0xB0},
    {"divide", 0xF7}, {"eacute", 0xE9}, {"ecirc", 0xEA}, {"egrave", 0xE8}, {"eth", 0xF0},
    {"euml", 0xEB}, {"euro", 0x20AC}, {"fnof", 0x192}, {"frac12", 0xBD}, {"frac14", 0xBC},
    {"frac34", 0xBE}, {"gt", '>'}, {"hellip", 0x2026}, {"iacute", 0xED}, {"icirc", 0xEE},
    {"iexcl", 0xA1}, {"igrave", 0xEC}, {"iquest", 0xBF}, {"iuml", 0xEF}, {"laquo", 0xAB},
    {"ldquo", 0x201C}, {"lsaquo", 0x2039}, {"lsquo", 0x2018}, {"lt", '<'}, {"macr", 0xAF},
    {"mdash", 0x2014}, {"micro", 0xB5}, {"middot", 0xB7}, {"nbsp", 0xA0}, {"ndash", 0x2013},
    {"not", 0xAC}, {"ntilde", 0xF1}, {"oacute", 0xF3}, {"ocirc", 0xF4}, {"oelig", 0x153},
    {"ograve", 0xF2}, {"ordf", 0xAA}, {"ordm", 0xBA}, {"oslash", 0xF8}, {"otilde", 0xF5},
    {"ouml", 0xF6}, {"para", 0xB6}, {"permil", 0x2030}, {"plusmn", 0xB1}, {"pound", 0xA3},
    {"quot", '"'}, {"raquo", 0xBB}, {"rdquo", 0x201D}, {"reg", 0xAE}, {"rsaquo", 0x203A},
    {"rsquo", 0x2019}, {"sbquo", 0x201A}, {"scaron", 0x161}, {"sect", 0xA7}, {"shy", 0xAD},
    {"sup1", 0xB9}, {"sup2", 0xB2}, {"sup3", 0xB3}, {"szlig", 0xDF}, {"thorn", 0xFE},
    {"tilde", 0x2DC}, {"times", 0xD7}, {"trade", 0x2122}, {"uacute", 0xFA}, {"ucirc", 0xFB},
    {"ugrave", 0xF9}, {"uml", 0xA8}, {"uuml", 0xFC}, {"yacute", 0xFD}, {"yen", 0xA5},
    {"yuml", 0xFF},
};

bool isAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The entity at s (which starts after '&' and runs to its ';'), or 0.
char32_t entity(std::string_view s) {
    if (s.empty()) return 0;
    if (s[0] == '#') {
        bool hex = s.size() > 1 && (s[1] == 'x' || s[1] == 'X');
        std::size_t i = hex ? 2 : 1;
        if (i >= s.size()) return 0;
        char32_t cp = 0;
        for (; i < s.size(); ++i) {
            char c = s[i];
            int d = c >= '0' && c <= '9' ? c - '0'
                    : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (d < 0) return 0;
            cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(d);
            if (cp > 0x10FFFF) return 0xFFFD;
        }
        // Browsers read 128..159 as the code page's characters, which is
        // what a page written in it meant.
        if (cp >= 0x80 && cp < 0xA0) return codePoint(static_cast<unsigned char>(cp));
        if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
        return cp;
    }
    auto it = std::lower_bound(std::begin(kNamed), std::end(kNamed), s, [](const Named& n, std::string_view k) {
        return std::string_view(n.name) < k;
    });
    return it != std::end(kNamed) && std::string_view(it->name) == s ? it->cp : 0;
}

} // namespace

std::string decodeForPost(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '&') {
            std::size_t end = i + 1;
            while (end < bytes.size() && end - i <= 10 && (isAsciiAlnum(bytes[end]) || bytes[end] == '#')) ++end;
            if (end < bytes.size() && bytes[end] == ';') {
                char32_t cp = entity(bytes.substr(i + 1, end - i - 1));
                if (cp != 0) {
                    // A hard space in a name is a space to the reader; kept
                    // hard it breaks searching and copying on forums.
                    appendUtf8(out, cp == 0xA0 ? U' ' : cp);
                    i = end;
                    continue;
                }
            }
        }
        appendUtf8(out, codePoint(static_cast<unsigned char>(bytes[i])));
    }
    return out;
}

std::size_t chatLength(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8) {
        unsigned char b = static_cast<unsigned char>(c);
        if ((b & 0xC0) != 0x80) ++n;      // each character once
        if ((b & 0xF8) == 0xF0) ++n;      // beyond the first plane: two units
    }
    return n;
}

} // namespace vr
