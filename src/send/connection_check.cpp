#include "send/connection_check.h"

#include "send/send_error.h"
#include "send/transports.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace vr {
namespace {

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

// A local folder as the address names it: "file:///C:/x" is C:/x.
std::string localFolder(const std::string& address) {
    std::string folder = address.substr(7);
    if (folder.size() >= 3 && folder[0] == '/' && folder[2] == ':') folder = folder.substr(1);
    return folder;
}

// Where the address points: the server (without any user) and its folder.
void whereOf(const std::string& address, std::string& server, std::string& folder) {
    const std::string shown = shownAddress(address);
    const std::size_t start = shown.find("://");
    if (shown.rfind("file://", 0) == 0) {
        folder = localFolder(shown);
        return;
    }
    const std::size_t hostStart = start == std::string::npos ? 0 : start + 3;
    const std::size_t slash = shown.find('/', hostStart);
    server = shown.substr(hostStart, slash == std::string::npos ? std::string::npos : slash - hostStart);
    folder = slash == std::string::npos ? "/" : shown.substr(slash);
}

// A name as the dialog may show it: a server's control characters would
// break the answer's lines.
std::string plain(std::string name) {
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    return name;
}

// The listing in one line: how many names, the first few in order.
std::string folderSays(const std::string& folder, std::optional<std::vector<std::string>> names) {
    if (!names) return "the folder " + folder + " does not exist yet; the first send makes it.";
    if (names->empty()) return "the folder " + folder + " is empty.";
    std::sort(names->begin(), names->end());
    const std::size_t shown = std::min<std::size_t>(names->size(), 3);
    std::string some;
    for (std::size_t i = 0; i < shown; ++i) some += (i ? ", " : "") + plain((*names)[i]);
    if (names->size() > shown) some += ", \u2026";
    return "the folder " + folder + " holds " +
           (names->size() == 1 ? std::string("1 file or folder") : std::to_string(names->size()) + " files and folders") +
           " (" + some + ").";
}

// A file:// folder that is not there yet: opening it would make it.
class NoFolderYet : public SiteLink {
public:
    void put(const std::string&, const std::string&) override { throw SendError("no folder"); }
    void rename(const std::string&, const std::string&) override { throw SendError("no folder"); }
    void remove(const std::string&) override {}
    std::optional<std::vector<std::string>> list() override { return std::nullopt; }
};

} // namespace

CheckAnswer checkSite(const SiteProfile& site) {
    return checkSiteWith(site, [&site](std::vector<std::string>& warnings) -> std::unique_ptr<SiteLink> {
        if (site.address.rfind("file://", 0) != 0) return openSite(site, warnings);
        const std::string folder = localFolder(site.address);
        switch (hostFileSystem().kind(folder)) {
        case EntryKind::Directory: return openFolderSite(hostFileSystem(), folder);
        case EntryKind::Missing: return std::make_unique<NoFolderYet>();
        default: throw SendError(folder + " is not a folder");
        }
    });
}

CheckAnswer checkSiteWith(const SiteProfile& site, const OpenForCheck& open) {
    CheckAnswer answer;
    SendProfile profile;
    profile.site = site;
    const Secrets secrets = profile.secrets();
    try {
        std::vector<std::string> warnings;
        std::unique_ptr<SiteLink> link = open(warnings);
        std::string server, folder;
        whereOf(site.address, server, folder);
        const std::string says = folderSays(folder, link->list());
        answer.ok = true;
        if (server.empty()) answer.said = "The" + says.substr(3);
        else answer.said = "Connected to " + server + ": " + says;
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
