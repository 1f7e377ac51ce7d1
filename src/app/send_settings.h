// The "Sending…" dialog's fields and what they do, for both windows: the
// site address in parts (protocol, server, port, remote folder), the
// profile read into fields and written back from them, and "Test".
#pragma once

#include "send/connection_check.h"
#include "send/profile.h"

#include <functional>
#include <string>

namespace vr {

struct SiteParts {
    std::string protocol; // "sftp", "ftps", "ftp", "file"; empty: no site
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

// The dialog's fields, UTF-8, as typed.
struct SendForm {
    SiteParts site;
    std::string user, password, key, hostKey, ca, web;
    std::string webhook, discordCa;
};

SendForm formOf(const SendProfile& profile);
// The fields the protocol does not use are left out.
SendProfile profileOf(const SendForm& form);

// Where the dialog starts: the profile in `configFolder`, or empty fields
// and why the profile could not be read (`problem`).
SendForm loadForm(const std::string& configFolder, std::string& problem);

// OK: the form checked as the next run would check it and written whole.
// Empty on success, else what is wrong ("Not saved: ..."); nothing is
// written then.
std::string saveForm(const std::string& configFolder, const SendForm& form);

// The checks "Test" runs (tests put fakes in their place).
struct SendChecks {
    std::function<CheckAnswer(const SiteProfile&)> site = checkSite;
    std::function<CheckAnswer(const DiscordProfile&)> webhook = checkWebhook;
};

// "Test": each destination's answer in words; `fingerprint` gets an sftp
// server's key when it is not the pinned one, to offer to pin.
std::string testForm(const SendForm& form, const SendChecks& checks, std::string& fingerprint);

} // namespace vr
