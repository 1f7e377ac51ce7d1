#include "host/environment.h"

#include <cstdlib>
#include <unistd.h>

namespace vr {

std::string environmentVariable(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

long processId() { return static_cast<long>(::getpid()); }

} // namespace vr
