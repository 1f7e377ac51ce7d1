// The cache folder on POSIX hosts, as the XDG base directories place it.
#include "host/cache_folder.h"

#include "host/environment.h"

namespace vr {

std::string cacheFolderFromEnvironment() {
    std::string folder = environmentVariable("VELLOR_CACHE_DIR");
    if (!folder.empty()) return folder;
    folder = environmentVariable("XDG_CACHE_HOME");
    // Only an absolute path counts, as the XDG rules have it.
    if (!folder.empty() && folder[0] == '/') return folder + "/vellor-results";
    folder = environmentVariable("HOME");
    if (folder.empty()) return {};
    return folder + "/.cache/vellor-results";
}

std::string configFolderFromEnvironment() {
    std::string folder = environmentVariable("VELLOR_CONFIG_DIR");
    if (!folder.empty()) return folder;
    folder = environmentVariable("XDG_CONFIG_HOME");
    if (!folder.empty() && folder[0] == '/') return folder + "/vellor-results";
    folder = environmentVariable("HOME");
    if (folder.empty()) return {};
    return folder + "/.config/vellor-results";
}

} // namespace vr
