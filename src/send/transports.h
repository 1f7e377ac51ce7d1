// The transports behind the seams: libcurl for ftp, ftps (explicit TLS),
// sftp and the Discord webhook; the host's own files for file://.
#pragma once

#include "send/discord_link.h"
#include "send/profile.h"
#include "send/site_link.h"
#include "text/file_system.h"

#include <memory>
#include <string>
#include <vector>

namespace vr {

// `warnings` gets what the user should know but does not stop the send
// (a password about to cross the network unencrypted).
std::unique_ptr<SiteLink> openSite(const SiteProfile& profile, std::vector<std::string>& warnings);
std::unique_ptr<DiscordLink> openDiscord(const DiscordProfile& profile);

// file:///folder: the same rules into a folder of this machine (a mounted
// share, a synced folder).
std::unique_ptr<SiteLink> openFolderSite(FileSystem& fs, const std::string& folder);

} // namespace vr
