#include "host/environment.h"

#include <cstdlib>

namespace vr {

std::string environmentVariable(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

} // namespace vr
