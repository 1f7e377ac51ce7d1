// Where the program keeps what it may lose: the user's cache folder, never
// the league folder (which the game owns and commissioners upload).
#pragma once

#include <string>

namespace vr {

// VELLOR_CACHE_DIR, else the host's own cache folder for this program;
// empty when none can be named. The folder may not exist yet.
std::string cacheFolderFromEnvironment();

// Where the program keeps what the user chose (the window's last league):
// VELLOR_CONFIG_DIR, else the host's configuration folder for this program;
// empty when none can be named.
std::string configFolderFromEnvironment();

} // namespace vr
