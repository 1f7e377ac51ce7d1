#include "host/windows_paths.h"

#include "text/code_page.h"

#include <windows.h>

namespace vr {
namespace {

std::wstring wide(std::string_view bytes) {
    std::u16string text = codePageToUtf16(bytes);
    std::wstring out(text.begin(), text.end());
    for (wchar_t& c : out)
        if (c == L'/') c = L'\\';
    return out;
}

bool startsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

std::wstring systemPath(const std::string& path) {
    std::wstring given = wide(path);
    if (startsWith(given, L"\\\\?\\")) return given;
    // The \\?\ form is taken as it stands: ".", ".." and doubled separators
    // are resolved here first, relative paths made absolute.
    DWORD size = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    std::wstring full;
    if (size > 0) {
        full.resize(size);
        DWORD used = GetFullPathNameW(given.c_str(), size, full.data(), nullptr);
        full.resize(used < size ? used : 0);
    }
    if (full.empty()) return given;
    if (startsWith(full, L"\\\\.\\")) return full; // a device
    if (startsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::string fromSystemName(std::wstring_view name) {
    std::u16string text(name.begin(), name.end());
    return utf16ToCodePage(text);
}

std::wstring parentOf(const std::wstring& path) {
    auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    return path.substr(0, slash);
}

std::string parentPath(const std::string& path) {
    auto slash = path.find_last_of("\\/");
    if (slash == std::string::npos || slash == 0) return {};
    std::string parent = path.substr(0, slash);
    // "C:" alone is the drive, made with the rest.
    if (parent.size() == 2 && parent[1] == ':') return {};
    return parent;
}

std::string displayPathOf(const std::string& path) {
    std::string shown = path;
    for (char& c : shown)
        if (c == '/') c = '\\';
    if (shown.rfind("\\\\?\\UNC\\", 0) == 0) shown = "\\\\" + shown.substr(8);
    else if (shown.rfind("\\\\?\\", 0) == 0) shown = shown.substr(4);
    return codePageToUtf8(shown);
}

} // namespace vr
