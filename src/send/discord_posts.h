// The period's Discord messages through the webhook: one set per period.
// The ids Discord gives are kept with the period in the cache folder, so
// that the same period run again edits its messages instead of posting them
// twice.
#pragma once

#include "send/discord_link.h"
#include "text/file_system.h"

#include <string>
#include <vector>

namespace vr {

struct PostsResult {
    std::size_t posted = 0, edited = 0, deleted = 0, unchanged = 0;
};

// The record's file for a webhook (named by a hash: the webhook is a secret).
std::string discordRecordFile(const std::string& cacheFolder, const std::string& webhook);

// The JSON of a message: its text (UTF-8), mentions off.
std::string messageJson(const std::string& text);

// Sends `messages` (UTF-8) as the period `periodKey`'s; a refusal is a
// SendError with Discord's own words. What went through is recorded even
// then: the next run sends only what is still due.
PostsResult postPeriod(DiscordLink& link, FileSystem& fs, const std::string& recordFile,
                       const std::string& periodKey, const std::vector<std::string>& messages);

} // namespace vr
