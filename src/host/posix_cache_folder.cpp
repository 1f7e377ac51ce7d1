// The cache folder on POSIX hosts, as the XDG base directories place it.
#include "host/cache_folder.h"

#include <cstdlib>

namespace vr {
namespace {

std::string environment(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

} // namespace

std::string cacheFolderFromEnvironment() {
    std::string folder = environment("VELLOR_CACHE_DIR");
    if (!folder.empty()) return folder;
    folder = environment("XDG_CACHE_HOME");
    // Only an absolute path counts, as the XDG rules have it.
    if (!folder.empty() && folder[0] == '/') return folder + "/vellor-results";
    folder = environment("HOME");
    if (folder.empty()) return {};
    return folder + "/.cache/vellor-results";
}

} // namespace vr
