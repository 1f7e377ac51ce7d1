// Where the program keeps what it may lose: the user's cache folder, never
// the league folder (which the game owns and commissioners upload).
#pragma once

#include <string>

namespace vr {

// VELLOR_CACHE_DIR, else the host's own cache folder for this program;
// empty when none can be named. The folder may not exist yet.
std::string cacheFolderFromEnvironment();

} // namespace vr
