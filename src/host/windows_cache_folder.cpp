// The cache folder on Windows: the user's local application data.
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
    folder = environment("LOCALAPPDATA");
    if (folder.empty()) return {};
    return folder + "/Vellor Results";
}

} // namespace vr
