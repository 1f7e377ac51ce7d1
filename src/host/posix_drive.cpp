// Where "C:\" lies on a POSIX host: a Wine prefix's drive_c, or a folder
// named outright.
#include "league/league_folder.h"

#include <cstdlib>

namespace vr {
namespace {

std::string environment(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

} // namespace

std::string LeagueFolder::driveFromEnvironment() {
    std::string drive = environment("VELLOR_DRIVE_C");
    if (!drive.empty()) return drive;
    std::string prefix = environment("WINEPREFIX");
    if (!prefix.empty()) return prefix + "/drive_c";
    return environment("HOME") + "/.wine/drive_c";
}

} // namespace vr
