// The settings dialog's site address in parts, for both windows: the
// protocol, server, port and remote folder the dialog shows as fields, and
// the one address publish.ini keeps.
#pragma once

#include <string>

namespace vr {

struct SiteParts {
    std::string protocol; // "sftp", "ftps", "ftp" or "file"
    std::string server;
    std::string port;     // empty: the protocol's own
    std::string folder;   // absolute on the server; the folder itself for file
};

// "sftp://league.example.org:2222/public_html" -> its parts; an address of
// another form keeps it whole as the folder of protocol "sftp".
SiteParts siteParts(const std::string& address);

// The parts as publish.ini's address; empty without a server (or, for
// file, without a folder).
std::string siteAddress(const SiteParts& parts);

} // namespace vr
