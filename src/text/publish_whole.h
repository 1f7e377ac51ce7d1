// A file the program owns outside the league (the play-by-play index),
// replaced all or nothing: written whole beside its place, then renamed over it.
#pragma once

#include "text/file_system.h"

#include <string>
#include <string_view>

namespace vr {

// Writes `bytes` to path + ".new" and renames that over `path`. False, with
// the temporary removed and `path` as it was, when any step fails.
bool publishWhole(FileSystem& fs, const std::string& path, std::string_view bytes);

} // namespace vr
