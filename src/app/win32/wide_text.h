// The system's wide text (UTF-16 in wchar_t) for the window: Windows-1252
// bytes through the program's own code-page table (never the machine's ANSI
// code page, which differs from one machine to the next), and UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace vr::win32 {

std::wstring toWide(std::string_view bytes);
// Characters outside the code page become "?", one for each character
// (a surrogate pair is one character).
std::string fromWide(std::wstring_view wide);

// UTF-8 (messages, command-line arguments) to and from UTF-16.
std::wstring utf8ToWide(std::string_view utf8);
std::string wideToUtf8(std::wstring_view wide);

} // namespace vr::win32
