#include "send/profile.h"

#include "host/config_folder.h"
#include "host/secrets.h"
#include "send/site_record.h"
#include "text/file_system.h"

namespace vr {
namespace {

std::string trim(std::string_view s) {
    const char* space = " \t\r";
    const std::size_t first = s.find_first_not_of(space);
    if (first == std::string_view::npos) return {};
    return std::string(s.substr(first, s.find_last_not_of(space) - first + 1));
}

// A comment starts at ";" or "#" at the start of a line or after a blank:
// a password may hold either sign elsewhere.
std::string withoutComment(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i)
        if ((line[i] == ';' || line[i] == '#') && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t'))
            return std::string(line.substr(0, i));
    return std::string(line);
}

std::string lineError(long number, const std::string& what) {
    return "publish.ini, line " + std::to_string(number) + ": " + what;
}

std::string hostOf(const std::string& address) {
    const std::size_t scheme = address.find("://");
    std::size_t start = scheme == std::string::npos ? 0 : scheme + 3;
    std::size_t end = address.find('/', start);
    std::string host = address.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const std::size_t at = host.rfind('@');
    return at == std::string::npos ? host : host.substr(at + 1);
}

void checkWebhook(const std::string& webhook) {
    if (webhook.rfind("https://", 0) != 0)
        throw SendError("publish.ini: [discord] needs a webhook starting with https://");
}

// The secret a stored value holds, decrypted; `key` names it in the message.
std::string opened(const std::string& stored, const char* key, bool& plain) {
    if (stored.empty()) return stored;
    if (isPlainSecret(stored)) {
        plain = plain || hostEncryptsSecrets();
        return stored;
    }
    std::optional<std::string> secret = openSecret(stored);
    if (!secret)
        throw SendError(std::string("publish.ini: the ") + key +
                        " was encrypted for another user or on another computer and cannot be read here; "
                        "write it again in plain text and it is encrypted for you at the next save");
    return *secret;
}

// "key = value" for a value that is set; a secret as the host keeps it.
void line(std::string& text, const char* key, const std::string& value, bool secret = false) {
    if (value.empty()) return;
    std::string stored = value;
    if (secret) {
        stored = sealSecret(value);
        if (stored.empty()) throw SendError(std::string("the ") + key + " could not be encrypted; nothing was saved");
    }
    text += key;
    text += " = " + stored + "\n";
}

} // namespace

Secrets SendProfile::secrets() const {
    Secrets s;
    if (site) s.add(site->password);
    if (discord) {
        s.add(discord->webhook);
        // The token is the webhook's last part: no text may show it alone either.
        const std::size_t slash = discord->webhook.rfind('/');
        if (slash != std::string::npos) s.add(discord->webhook.substr(slash + 1));
    }
    return s;
}

std::string shownAddress(const std::string& address) {
    const std::size_t scheme = address.find("://");
    if (scheme == std::string::npos) return address;
    const std::size_t start = scheme + 3;
    const std::size_t slash = address.find('/', start);
    const std::size_t at = address.rfind('@', slash == std::string::npos ? std::string::npos : slash);
    if (at == std::string::npos || at < start) return address;
    return address.substr(0, start) + address.substr(at + 1);
}

std::string shownWebhook(const std::string& webhook) { return "the Discord webhook at " + hostOf(webhook); }

SendProfile parseProfile(std::string_view text) {
    SendProfile profile;
    std::string section;
    long number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string line = trim(withoutComment(text.substr(0, end)));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        if (line.empty()) continue;
        if (line.front() == '[') {
            if (line.back() != ']') throw SendError(lineError(number, "a section's name ends with \"]\""));
            section = trim(std::string_view(line).substr(1, line.size() - 2));
            if (section == "site") profile.site.emplace();
            else if (section == "discord") profile.discord.emplace();
            else throw SendError(lineError(number, "unknown section [" + section + "]: [site] or [discord]"));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) throw SendError(lineError(number, "expected key = value"));
        const std::string key = trim(std::string_view(line).substr(0, equals));
        const std::string value = trim(std::string_view(line).substr(equals + 1));
        std::string* slot = nullptr;
        if (section == "site") {
            SiteProfile& s = *profile.site;
            if (key == "address") slot = &s.address;
            else if (key == "user") slot = &s.user;
            else if (key == "password") slot = &s.password;
            else if (key == "key") slot = &s.key;
            else if (key == "host-key") slot = &s.hostKey;
            else if (key == "ca") slot = &s.ca;
            else if (key == "web") slot = &s.web;
        } else if (section == "discord") {
            if (key == "webhook") slot = &profile.discord->webhook;
            else if (key == "ca") slot = &profile.discord->ca;
        }
        // The key's name only: its value may be a secret.
        if (!slot) throw SendError(lineError(number, "unknown key \"" + key + "\""));
        *slot = value;
    }
    if (profile.site) {
        const std::string& a = profile.site->address;
        if (a.rfind("sftp://", 0) != 0 && a.rfind("ftps://", 0) != 0 && a.rfind("ftp://", 0) != 0 &&
            a.rfind("file://", 0) != 0)
            throw SendError("publish.ini: [site] needs an address starting with sftp://, ftps://, ftp:// or file://");
        if (profile.site->hostKey.empty() == false && profile.site->hostKey.rfind("SHA256:", 0) != 0)
            throw SendError("publish.ini: host-key is the server's SHA256 fingerprint, \"SHA256:...\"");
        const std::string& web = profile.site->web;
        if (!web.empty() && web.rfind("https://", 0) != 0 && web.rfind("http://", 0) != 0)
            throw SendError("publish.ini: web is the html folder's address on the web, starting with https:// or "
                            "http://");
    }
    // An encrypted webhook is checked once it is opened.
    if (profile.discord && isPlainSecret(profile.discord->webhook)) checkWebhook(profile.discord->webhook);
    return profile;
}

std::optional<SendProfile> loadProfile(const std::string& configFolder) {
    if (configFolder.empty()) return std::nullopt;
    const std::string path = configFolder + "/publish.ini";
    FileSystem& fs = hostFileSystem();
    if (fs.kind(path) != EntryKind::File) return std::nullopt;
    std::string text;
    try {
        text = readLocalFile(fs, path);
    } catch (const SendError& e) {
        throw SendError(std::string("publish.ini could not be read: ") + e.what());
    }
    SendProfile profile = parseProfile(text);
    const bool secret = (profile.site && !profile.site->password.empty()) || profile.discord;
    if (secret && othersMayRead(path))
        throw SendError(path + " holds a password or a webhook and others may read it. "
                        "Make it yours alone with: chmod 600 '" + path + "'");
    if (profile.site) profile.site->password = opened(profile.site->password, "password", profile.plainSecrets);
    if (profile.discord) {
        profile.discord->webhook = opened(profile.discord->webhook, "webhook", profile.plainSecrets);
        checkWebhook(profile.discord->webhook);
    }
    return profile;
}

std::string siteWebAddress(const std::string& configFolder) {
    try {
        const std::optional<SendProfile> profile = loadProfile(configFolder);
        return profile && profile->site ? profile->site->web : std::string();
    } catch (const SendError&) {
        return {};
    }
}

std::string profileText(const SendProfile& profile) {
    std::string text = "; Where Vellor Results sends the league's publications after each run.\n";
    if (profile.site) {
        const SiteProfile& s = *profile.site;
        text += "\n[site]\n";
        line(text, "address", s.address);
        line(text, "user", s.user);
        line(text, "password", s.password, true);
        line(text, "key", s.key);
        line(text, "host-key", s.hostKey);
        line(text, "ca", s.ca);
        line(text, "web", s.web);
    }
    if (profile.discord) {
        text += "\n[discord]\n";
        line(text, "webhook", profile.discord->webhook, true);
        line(text, "ca", profile.discord->ca);
    }
    return text;
}

void saveProfile(const std::string& configFolder, const SendProfile& profile) {
    const std::string text = profileText(profile);
    FileSystem& fs = hostFileSystem();
    if (configFolder.empty() || !fs.makeFolders(configFolder))
        throw SendError("the folder " + configFolder + " for publish.ini could not be made");
    const std::string path = configFolder + "/publish.ini";
    if (!replaceLocalFile(fs, path, text, true)) throw SendError(path + " could not be written; it is as it was");
}

} // namespace vr
