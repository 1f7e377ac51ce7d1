// The period's digest as posts ready to paste: BBCode for a forum and
// Discord messages of at most kDiscordLimit characters each. Lines are
// UTF-8 without their line ends; the files end each with CR LF.
#pragma once

#include "additions/digest_parts.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vr {

inline constexpr std::size_t kDiscordLimit = 2000;

// `message` (UTF-8) opens the post when it is not empty.
std::vector<std::string> forumPost(const Digest& digest, std::string_view message);

// One list of lines per message; a message's file, lines ended with CR LF,
// holds at most `limit` characters.
std::vector<std::vector<std::string>> discordPost(const Digest& digest, std::string_view message,
                                                  std::size_t limit = kDiscordLimit);

// Backslashes before the characters that would turn a name into markup.
std::string discordEscape(std::string_view text);

} // namespace vr
