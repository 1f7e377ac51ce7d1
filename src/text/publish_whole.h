// A file the program owns outside the league (the play-by-play index),
// replaced all or nothing: written whole beside its place, then renamed over it.
#pragma once

#include "text/file_system.h"

#include <functional>
#include <string>
#include <string_view>

namespace vr {

// Writes `bytes` to path + ".new" and renames that over `path`. False, with
// the temporary removed and `path` as it was, when any step fails.
// `beforeWrite`, when given, runs on the empty temporary (to narrow its
// rights before secrets reach it); false from it fails the whole.
bool publishWhole(FileSystem& fs, const std::string& path, std::string_view bytes,
                  const std::function<bool(const std::string&)>& beforeWrite = {});

} // namespace vr
