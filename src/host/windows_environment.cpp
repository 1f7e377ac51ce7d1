#include "host/windows_environment.h"

#include "host/windows_paths.h"

#include <windows.h>

namespace vr {

std::string environmentVariable(const wchar_t* name) {
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    DWORD used = GetEnvironmentVariableW(name, value.data(), size);
    if (used == 0 || used >= size) return {};
    value.resize(used);
    return fromSystemName(value);
}

} // namespace vr
