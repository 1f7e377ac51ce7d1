// The configuration folder on Windows: the user's roaming application data.
#include "host/config_folder.h"

#include "host/environment.h"

namespace vr {

std::string configFolderFromEnvironment() {
    std::string folder = environmentVariable("VELLOR_CONFIG_DIR");
    if (!folder.empty()) return folder;
    folder = environmentVariable("APPDATA");
    if (folder.empty()) return {};
    return folder + "\\Vellor Results";
}

// The user's profile folder is the user's own; secrets kept there are
// encrypted for the user instead.
bool othersMayRead(const std::string&) { return false; }

bool keepToOwner(const std::string&) { return true; }

} // namespace vr
