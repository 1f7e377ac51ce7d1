// Sending what is due after a run: the html folder to the website and the
// period's posts to Discord, as the profile names them. Each destination
// goes on its own: one failing does not keep the other from sending.
#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace vr {

struct SendRequest {
    std::string configFolder; // where publish.ini lies
    std::string cacheFolder;  // the records of what each destination holds
    std::string htmlFolder;   // host paths in the league folder
    std::string postsFolder;
    std::string periodKey;    // the period the posts are of; empty: none
    std::ostream* progress = nullptr; // a terminal, for a long send's progress
    // A window's view of the website's send: files confirmed of those due,
    // after each file.
    std::function<void(std::size_t done, std::size_t due)> onFiles;
    // Asked between files (and before the posts): true stops the send
    // there, every remote file its old or its new whole self.
    std::function<bool()> stopRequested;
};

struct SendOutcome {
    bool configured = false;           // a profile was found
    std::vector<std::string> lines;    // what was sent, and warnings
    std::vector<std::string> failures; // one per destination that failed
    bool stopped = false;              // stopped on request; the rest stays due
    std::string siteShown;             // the website's address, as shown; empty: none
    std::size_t discordMessages = 0;   // the period's messages Discord holds
    bool failed() const { return !failures.empty(); }
};

// Never throws; no secret appears in the outcome's lines.
SendOutcome sendDue(const SendRequest& request);

// The line a failure ends with.
inline constexpr const char* kSentNextTime =
    "The publications are in place; the next run sends what is due.";

} // namespace vr
