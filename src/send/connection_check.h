// The settings dialog's "Test": does the profile reach its destinations?
// The site is connected to and its remote folder listed (nothing is sent
// or changed); the webhook is asked for with a GET, which posts nothing.
#pragma once

#include "send/profile.h"
#include "send/site_link.h"

#include <functional>
#include <memory>
#include <vector>

#include <string>

namespace vr {

struct CheckAnswer {
    bool ok = false;
    std::string said;        // in words for the user, without secrets
    std::string fingerprint; // sftp: the server's key when it is not the pinned one
};

CheckAnswer checkSite(const SiteProfile& site);
// The same through `open` in place of the real transports; it may add
// warnings that do not stop a send.
using OpenForCheck = std::function<std::unique_ptr<SiteLink>(std::vector<std::string>& warnings)>;
CheckAnswer checkSiteWith(const SiteProfile& site, const OpenForCheck& open);
CheckAnswer checkWebhook(const DiscordProfile& discord);

} // namespace vr
