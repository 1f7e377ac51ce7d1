#include "app/send_settings.h"

#include "send/send_error.h"

namespace vr {
namespace {

// "C:/..." or "C:\...".
bool isDrivePath(const std::string& s) {
    return s.size() >= 3 && ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z')) && s[1] == ':' &&
           (s[2] == '/' || s[2] == '\\');
}

} // namespace

SiteParts siteParts(const std::string& address) {
    SiteParts parts;
    parts.protocol = "sftp";
    const std::size_t scheme = address.find("://");
    if (scheme == std::string::npos) {
        parts.folder = address;
        return parts;
    }
    parts.protocol = address.substr(0, scheme);
    const std::string rest = address.substr(scheme + 3);
    if (parts.protocol == "file") {
        parts.folder = rest.rfind("localhost/", 0) == 0 ? rest.substr(9) : rest;
        // A Windows drive's folder shows as the user knows it: C:/league.
        if (!parts.folder.empty() && parts.folder[0] == '/' && isDrivePath(parts.folder.substr(1)))
            parts.folder.erase(0, 1);
        return parts;
    }
    const std::size_t slash = rest.find('/');
    std::string host = rest.substr(0, slash);
    parts.folder = slash == std::string::npos ? "/" : rest.substr(slash);
    // A port after the last colon, unless it is inside an IPv6 literal.
    const std::size_t colon = host.rfind(':');
    if (colon != std::string::npos && host.find(']', colon) == std::string::npos) {
        parts.port = host.substr(colon + 1);
        host.resize(colon);
    }
    parts.server = host;
    return parts;
}

std::string siteAddress(const SiteParts& parts) {
    std::string folder = parts.folder;
    // C:\league as typed on Windows: a URL's slashes.
    if (parts.protocol == "file" && isDrivePath(folder))
        for (char& c : folder)
            if (c == '\\') c = '/';
    if (folder.empty() || folder.front() != '/') folder.insert(0, "/");
    if (parts.protocol == "file") return parts.folder.empty() ? "" : "file://" + folder;
    if (parts.server.empty()) return "";
    return parts.protocol + "://" + parts.server + (parts.port.empty() ? "" : ":" + parts.port) + folder;
}

SendForm formOf(const SendProfile& profile) {
    SendForm form;
    if (profile.site) {
        form.site = siteParts(profile.site->address);
        form.user = profile.site->user;
        form.password = profile.site->password;
        form.key = profile.site->key;
        form.hostKey = profile.site->hostKey;
        form.ca = profile.site->ca;
        form.web = profile.site->web;
    }
    if (profile.discord) {
        form.webhook = profile.discord->webhook;
        form.discordCa = profile.discord->ca;
    }
    return form;
}

SendProfile profileOf(const SendForm& form) {
    SendProfile profile;
    const std::string& protocol = form.site.protocol;
    if (!protocol.empty()) {
        const bool file = protocol == "file", sftp = protocol == "sftp";
        SiteProfile site;
        site.address = siteAddress(form.site);
        if (!file) site.user = form.user;
        if (!file) site.password = form.password;
        if (sftp) site.key = form.key;
        if (sftp) site.hostKey = form.hostKey;
        if (protocol == "ftps") site.ca = form.ca;
        site.web = form.web;
        if (!site.address.empty()) profile.site = site;
    }
    if (!form.webhook.empty()) profile.discord = DiscordProfile{form.webhook, form.discordCa};
    return profile;
}

SendForm loadForm(const std::string& configFolder, std::string& problem) {
    try {
        if (std::optional<SendProfile> profile = loadProfile(configFolder)) return formOf(*profile);
    } catch (const SendError& e) {
        problem = e.what();
    }
    SendForm empty;
    empty.site.protocol = "sftp";
    return empty;
}

std::string saveForm(const std::string& configFolder, const SendForm& form) {
    try {
        const SendProfile profile = profileOf(form);
        // What the next run would refuse is refused now.
        parseProfile(profileText(profile));
        saveProfile(configFolder, profile);
    } catch (const SendError& e) {
        return std::string("Not saved: ") + e.what();
    }
    return {};
}

std::string testForm(const SendForm& form, const SendChecks& checks, std::string& fingerprint) {
    const SendProfile profile = profileOf(form);
    if (!profile.site && !profile.discord) return "Nothing to test: no website and no webhook.";
    std::string said;
    if (profile.site) {
        const CheckAnswer a = checks.site(*profile.site);
        said = a.said;
        fingerprint = a.fingerprint;
        if (!fingerprint.empty())
            said += "\nThe server's key is " + fingerprint + ". If it is the server's (ask its keeper), pin it.";
    }
    if (profile.discord) said += (said.empty() ? "" : "\n") + std::string("Discord: ") + checks.webhook(*profile.discord).said;
    return said;
}

} // namespace vr
