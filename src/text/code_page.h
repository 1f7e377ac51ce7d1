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
// A name the host gave (a league's folder) for the user: as it stands when
// it is valid UTF-8, as POSIX hosts name files; else read as the code page,
// as the Windows host keeps names (a code-page name that is also valid
// UTF-8 takes letters such as "Ã" before a symbol: no league is named so).
std::string nameToUtf8(std::string_view bytes);
// Characters outside the code page become "?"; invalid UTF-8 too.
std::string utf8ToCodePage(std::string_view utf8);

// UTF-16, as Windows names files and shows text. Every byte of the code page
// is one UTF-16 unit, so bytes -> UTF-16 -> bytes gives the bytes back.
std::u16string codePageToUtf16(std::string_view bytes);
// Characters outside the code page, and unpaired surrogates, become "?".
std::string utf16ToCodePage(std::u16string_view text);
// Unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

} // namespace vr
