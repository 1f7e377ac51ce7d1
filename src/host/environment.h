// An environment variable's value, empty when it is not set. On Windows the
// value is read as UTF-16 and kept as the core's Windows-1252 bytes (never
// through the machine's ANSI code page, which differs between machines).
#pragma once

#include <string>

namespace vr {

std::string environmentVariable(const char* name);

// This process's id, as the system's tools show it.
long processId();

} // namespace vr
