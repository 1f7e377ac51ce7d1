// An environment variable's value, empty when it is not set.
#pragma once

#include <cstdlib>
#include <string>

namespace vr {

inline std::string environmentVariable(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

} // namespace vr
