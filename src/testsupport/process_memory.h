// The test process's own memory figures, for checks that a reader's memory
// stays bounded.
#pragma once

#include <fstream>
#include <string>

namespace vr::testing {

// A value of /proc/self/status in bytes ("VmHWM", "VmRSS"); -1 when absent.
inline long statusBytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, key.size() + 1, key + ":") == 0) return std::stol(line.substr(key.size() + 1)) * 1024;
    return -1;
}

} // namespace vr::testing
