// The posts folder of the league folder: posts\forum.txt and one
// posts\discord-<n>.md per message, UTF-8 with CR LF; files of an earlier,
// longer post are removed.
#pragma once

#include "additions/addition_files.h"
#include "text/file_system.h"

#include <string>
#include <string_view>

namespace vr {

// `digest` is ~daily.txt's bytes and `message` TxtMessage's (Windows-1252).
// The posts go into `batch`; the number of Discord messages is returned.
// `periodPage` is the period's page below the html folder, linked when the
// website is a web address; `scoreboardPage` its archived scoreboard page,
// linked with periods.html when `web` (the sending profile's address of the
// html folder) is set.
std::size_t writePosts(StagedWrites& batch, FileSystem& fs, const std::string& postsFolder, std::string_view digest,
                       std::string_view message, std::string_view periodPage = {},
                       std::string_view scoreboardPage = {}, std::string_view web = {});
// Once the posts are in place: the messages past the last one removed.
void removeStalePosts(FileSystem& fs, const std::string& postsFolder, std::size_t messages);
// The two together, in a batch of their own.
void writePosts(FileSystem& fs, const std::string& postsFolder, std::string_view digest, std::string_view message);

} // namespace vr
