// The process's environment on Windows, read as UTF-16 and kept as the
// core's bytes (the machine's ANSI code page differs from machine to machine).
#pragma once

#include <string>

namespace vr {

// The variable's value; "" when unset.
std::string environmentVariable(const wchar_t* name);

} // namespace vr
