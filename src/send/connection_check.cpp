#include "send/connection_check.h"

#include "send/send_error.h"
#include "send/transports.h"

#include <nlohmann/json.hpp>

namespace vr {
namespace {

// A name nothing on a site has: removing it is harmless and makes the
// server check the login, the host key and the folder.
constexpr const char* kProbe = ".vr-connection-check";

// The fingerprint a host-key refusal names ("host-key = SHA256:...", or
// "key SHA256:... is not"): the first "SHA256:" word that is not the pinned one.
std::string seenKey(const std::string& said, const std::string& pinned) {
    for (std::size_t at = said.find("SHA256:"); at != std::string::npos; at = said.find("SHA256:", at + 1)) {
        std::size_t end = said.find_first_of(" ,)", at);
        std::string key = said.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (key != pinned) return key;
    }
    return {};
}

} // namespace

CheckAnswer checkSite(const SiteProfile& site) {
    CheckAnswer answer;
    SendProfile profile;
    profile.site = site;
    const Secrets secrets = profile.secrets();
    try {
        std::vector<std::string> warnings;
        std::unique_ptr<SiteLink> link;
        if (site.address.rfind("file://", 0) == 0) {
            std::string folder = site.address.substr(7);
            if (folder.size() >= 3 && folder[0] == '/' && folder[2] == ':') folder = folder.substr(1); // /C:/x
            if (hostFileSystem().kind(folder) != EntryKind::Directory) throw SendError("there is no folder " + folder);
            link = openFolderSite(hostFileSystem(), folder);
        } else {
            link = openSite(site, warnings);
        }
        link->remove(kProbe);
        answer.ok = true;
        answer.said = "Connected to " + shownAddress(site.address) + ": the login and the folder answer.";
        for (const std::string& w : warnings) answer.said += "\n" + w;
    } catch (const SendError& e) {
        answer.said = e.what();
        if (site.address.rfind("sftp://", 0) == 0 && answer.said.find("host key") != std::string::npos)
            answer.fingerprint = seenKey(answer.said, site.hostKey);
    }
    answer.said = secrets.scrub(answer.said);
    return answer;
}

CheckAnswer checkWebhook(const DiscordProfile& discord) {
    CheckAnswer answer;
    SendProfile profile;
    profile.discord = discord;
    const Secrets secrets = profile.secrets();
    try {
        if (discord.webhook.rfind("https://", 0) != 0) throw SendError("the webhook must start with https://");
        const WebAnswer got = openDiscord(discord)->request("GET", "", "");
        if (got.status == 401 || got.status == 404) {
            answer.said = "The webhook no longer exists: make a new one in the channel's settings.";
        } else if (got.status != 200) {
            answer.said = "Discord answered " + std::to_string(got.status) + ".";
        } else {
            const nlohmann::json body = nlohmann::json::parse(got.body, nullptr, false);
            std::string name = body.is_object() && body.contains("name") && body["name"].is_string()
                                   ? body["name"].get<std::string>()
                                   : std::string();
            answer.ok = true;
            answer.said = name.empty() ? "The webhook answers." : "The webhook \"" + name + "\" answers.";
        }
    } catch (const SendError& e) {
        answer.said = e.what();
    }
    answer.said = secrets.scrub(answer.said);
    return answer;
}

} // namespace vr
