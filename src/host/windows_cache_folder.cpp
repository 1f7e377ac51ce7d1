// The cache folder on Windows: the user's local application data.
#include "host/cache_folder.h"

#include "host/environment.h"

namespace vr {

std::string cacheFolderFromEnvironment() {
    std::string folder = environmentVariable("VELLOR_CACHE_DIR");
    if (!folder.empty()) return folder;
    folder = environmentVariable("LOCALAPPDATA");
    if (folder.empty()) return {};
    return folder + "\\Vellor Results";
}

// The roaming application data: a choice follows the user to other machines.
std::string configFolderFromEnvironment() {
    std::string folder = environmentVariable("VELLOR_CONFIG_DIR");
    if (!folder.empty()) return folder;
    folder = environmentVariable("APPDATA");
    if (folder.empty()) return {};
    return folder + "\\Vellor Results";
}

} // namespace vr
