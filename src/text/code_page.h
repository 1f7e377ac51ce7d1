// Windows-1252, the files' code page. The core keeps bytes; only the window
// and the terminal decode them. The table is lossless: the five bytes with
// no character of their own map to the C1 code points of the same number.
#pragma once

#include <string>
#include <string_view>

namespace vr {

// Unicode code point of a Windows-1252 byte.
char32_t codePoint(unsigned char byte);

// One code point (up to U+10FFFF) as UTF-8.
void appendUtf8(std::string& out, char32_t cp);

std::string codePageToUtf8(std::string_view bytes);
// Characters outside the code page become "?"; invalid UTF-8 too.
std::string utf8ToCodePage(std::string_view utf8);

} // namespace vr
