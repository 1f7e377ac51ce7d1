#include "app/win32/wide_text.h"

#include "text/code_page.h"

namespace vr::win32 {
namespace {

// wchar_t is a UTF-16 unit on Windows.
std::u16string_view units(std::wstring_view wide) {
    return {reinterpret_cast<const char16_t*>(wide.data()), wide.size()};
}

} // namespace

std::wstring toWide(std::string_view bytes) {
    const std::u16string text = codePageToUtf16(bytes);
    return std::wstring(text.begin(), text.end());
}

std::string fromWide(std::wstring_view wide) { return utf16ToCodePage(units(wide)); }

std::string wideToUtf8(std::wstring_view wide) { return utf16ToUtf8(units(wide)); }

std::wstring utf8ToWide(std::string_view utf8) {
    std::wstring wide;
    wide.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        bool valid = extra >= 0 && i + extra < utf8.size();
        for (int k = 1; valid && k <= extra; ++k) {
            const unsigned char d = static_cast<unsigned char>(utf8[i + k]);
            valid = (d & 0xC0) == 0x80;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (!valid || cp > 0x10FFFF) {
            wide.push_back(0xFFFD);
            ++i;
            continue;
        }
        i += 1 + extra;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            wide.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            wide.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            wide.push_back(static_cast<wchar_t>(cp));
        }
    }
    return wide;
}

} // namespace vr::win32
