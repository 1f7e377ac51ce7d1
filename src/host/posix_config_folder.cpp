// The configuration folder on POSIX hosts, as the XDG base directories
// place it, and the owner-only check of files holding secrets.
#include "host/config_folder.h"

#include "host/environment.h"

#include <sys/stat.h>

namespace vr {

std::string configFolderFromEnvironment() {
    std::string folder = environmentVariable("VELLOR_CONFIG_DIR");
    if (!folder.empty()) return folder;
    folder = environmentVariable("XDG_CONFIG_HOME");
    // Only an absolute path counts, as the XDG rules have it.
    if (!folder.empty() && folder[0] == '/') return folder + "/vellor-results";
    folder = environmentVariable("HOME");
    if (folder.empty()) return {};
    return folder + "/.config/vellor-results";
}

bool othersMayRead(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    return (st.st_mode & (S_IRGRP | S_IROTH | S_IWGRP | S_IWOTH)) != 0;
}

bool keepToOwner(const std::string& path) { return ::chmod(path.c_str(), S_IRUSR | S_IWUSR) == 0; }

} // namespace vr
