#include "app/send_settings.h"

namespace vr {

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
    if (folder.empty() || folder.front() != '/') folder.insert(0, "/");
    if (parts.protocol == "file") return parts.folder.empty() ? "" : "file://" + folder;
    if (parts.server.empty()) return "";
    return parts.protocol + "://" + parts.server + (parts.port.empty() ? "" : ":" + parts.port) + folder;
}

} // namespace vr
