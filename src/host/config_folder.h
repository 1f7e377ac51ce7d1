// Where the user's own settings for the program lie (the sending profile),
// apart from the league folder, which the game owns.
#pragma once

#include <string>

namespace vr {

// VELLOR_CONFIG_DIR, else the host's configuration folder for this program;
// empty when none can be named. The folder may not exist.
std::string configFolderFromEnvironment();

// True when a user other than the file's owner may read it: a file holding
// secrets must not be. False where the host keeps no such rights.
bool othersMayRead(const std::string& path);

// Makes a file readable and writable by its owner alone (true where the host
// keeps no such rights: there the user's folder is the user's own).
bool keepToOwner(const std::string& path);

} // namespace vr
