#include "host/environment.h"

#include "host/windows_paths.h"

#include <windows.h>

namespace vr {

std::string environmentVariable(const char* name) {
    std::wstring wideName(name, name + std::char_traits<char>::length(name)); // names are ASCII
    DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    DWORD used = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    if (used == 0 || used >= size) return {};
    value.resize(used);
    return fromSystemName(value);
}

long processId() { return static_cast<long>(GetCurrentProcessId()); }

} // namespace vr
