// Paths between the core (Windows-1252 bytes, '/' or '\' between names) and
// the Windows API (UTF-16, the \\?\ form for paths of any length).
#pragma once

#include <string>
#include <string_view>

namespace vr {

// The path as the system takes it: UTF-16 through the code-page table, made
// absolute, in the \\?\ (or \\?\UNC\) form.
std::wstring systemPath(const std::string& path);
// A name or path from the system in the core's bytes.
std::string fromSystemName(std::wstring_view name);
// The folder holding `path`, in either form; "" at the top.
std::wstring parentOf(const std::wstring& path);
std::string parentPath(const std::string& path);
// A path for the user: backslashes, no \\?\, UTF-8.
std::string displayPathOf(const std::string& path);

} // namespace vr
