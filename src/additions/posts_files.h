// The posts folder of the league folder: posts\forum.txt and one
// posts\discord-<n>.md per message, UTF-8 with CR LF; files of an earlier,
// longer post are removed.
#pragma once

#include "text/file_system.h"

#include <string>
#include <string_view>

namespace vr {

// `digest` is ~daily.txt's bytes and `message` TxtMessage's (Windows-1252).
void writePosts(FileSystem& fs, const std::string& postsFolder, std::string_view digest, std::string_view message);

} // namespace vr
