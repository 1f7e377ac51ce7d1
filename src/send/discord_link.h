// The seam between the Discord posting rules and HTTPS: one request to the
// webhook, and the pause between tries (so that tests need not wait).
#pragma once

#include <string>

namespace vr {

struct WebAnswer {
    long status = 0;  // the HTTP status
    std::string body; // JSON as Discord sends it
};

class DiscordLink {
public:
    virtual ~DiscordLink() = default;
    // method: "POST" (a new message: `messageId` empty), "PATCH" or "DELETE".
    // A failure to reach the server at all is a SendError.
    virtual WebAnswer request(const std::string& method, const std::string& messageId, const std::string& json) = 0;
    virtual void pause(double seconds) = 0;
};

} // namespace vr
