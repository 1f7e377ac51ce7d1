// The settings dialog's "Test": does the profile reach its destinations?
// The site is connected to and a command run in its remote folder (nothing
// is sent); the webhook is asked for with a GET, which posts nothing.
#pragma once

#include "send/profile.h"

#include <string>

namespace vr {

struct CheckAnswer {
    bool ok = false;
    std::string said;        // in words for the user, without secrets
    std::string fingerprint; // sftp: the server's key when it is not the pinned one
};

CheckAnswer checkSite(const SiteProfile& site);
CheckAnswer checkWebhook(const DiscordProfile& discord);

} // namespace vr
