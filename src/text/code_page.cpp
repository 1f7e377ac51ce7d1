#include "text/code_page.h"

#include <array>
#include <unordered_map>

namespace vr {
namespace {

// 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The code page's byte for a code point, or '?'.
char codePageByte(char32_t cp);

// Calls f with each code point of UTF-16 text; an unpaired surrogate is
// passed as `unpaired`.
template <class F>
void eachCodePoint(std::u16string_view text, char32_t unpaired, F f) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            f(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            f(unpaired);
        } else {
            f(unit);
        }
    }
}

const std::unordered_map<char32_t, unsigned char>& reverseHigh() {
    static const auto table = [] {
        std::unordered_map<char32_t, unsigned char> t;
        for (int i = 0; i < 32; ++i) t[kHigh[i]] = static_cast<unsigned char>(0x80 + i);
        return t;
    }();
    return table;
}

char codePageByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    auto it = reverseHigh().find(cp);
    return it == reverseHigh().end() ? '?' : static_cast<char>(it->second);
}

} // namespace

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t codePoint(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
    return byte;
}

std::string codePageToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) appendUtf8(out, codePoint(static_cast<unsigned char>(c)));
    return out;
}

namespace {

// Well-formed UTF-8: no overlong forms, surrogates or code points past
// U+10FFFF.
bool validUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t len;
        unsigned char lo = 0x80, hi = 0xBF; // range of the second byte
        if (c < 0x80) len = 1;
        else if (c >= 0xC2 && c <= 0xDF) len = 2;
        else if (c >= 0xE0 && c <= 0xEF) len = 3, lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
        else if (c >= 0xF0 && c <= 0xF4) len = 4, lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
        else return false;
        if (i + len > s.size()) return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if (k == 1 ? (cc < lo || cc > hi) : (cc & 0xC0) != 0x80) return false;
        }
        i += len;
    }
    return true;
}

} // namespace

std::string nameToUtf8(std::string_view bytes) {
    return validUtf8(bytes) ? std::string(bytes) : codePageToUtf8(bytes);
}

std::string utf8ToCodePage(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        char32_t cp;
        std::size_t len;
        if (c < 0x80) { cp = c; len = 1; }
        else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; len = 2; }
        else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; len = 3; }
        else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; len = 4; }
        else { out += '?'; ++i; continue; }
        if (i + len > utf8.size()) { out += '?'; break; }
        bool ok = true;
        for (std::size_t k = 1; k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(utf8[i + k]);
            if ((cc & 0xC0) != 0x80) { ok = false; break; }
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) { out += '?'; ++i; continue; }
        i += len;
        out += codePageByte(cp);
    }
    return out;
}

std::u16string codePageToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char c : bytes) out += static_cast<char16_t>(codePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string utf16ToCodePage(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    eachCodePoint(text, U'?', [&](char32_t cp) { out += codePageByte(cp); });
    return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    eachCodePoint(text, 0xFFFD, [&](char32_t cp) { appendUtf8(out, cp); });
    return out;
}

} // namespace vr
