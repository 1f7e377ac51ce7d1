#include "send/send_run.h"

#include "send/discord_posts.h"
#include "send/mirror.h"
#include "send/profile.h"
#include "send/site_record.h"
#include "send/transports.h"
#include "host/folder_lock.h"
#include "text/code_page.h"

#include <cstdio>
#include <optional>

namespace vr {
namespace {

// A send of more files than this shows its progress on a terminal.
constexpr std::size_t kProgressFrom = 50;

// A send stopped on request between two files: the mirror keeps its record
// of what went up, as after any failure, and the rest stays due.
class SendStopped : public SendError {
public:
    SendStopped() : SendError("stopped") {}
};

// Waiting for another send: in steps, so that a stop request is heard.
constexpr long kHoldStepMs = 500;
constexpr long kHoldLongestMs = 10L * 60 * 1000;

// The cache folder holds the records of what each destination has: the
// host's folder lock on it makes a send the only one writing them.
struct SendHold {
    explicit SendHold(const std::string& folder) : folder_(folder) { hostFileSystem().makeFolders(folder); }
    ~SendHold() {
        if (held_) unlockHostFolder(lock_);
    }
    bool wait(long ms) {
        const LockOutcome outcome = lockHostFolder(folder_, ms, lock_);
        held_ = outcome == LockOutcome::Held;
        return outcome != LockOutcome::TimedOut;
    }
    long steps = 0;

private:
    std::string folder_;
    HostLock lock_ = kNoHostLock;
    bool held_ = false;
};

std::string megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    return text;
}

// A cause as a sentence: its own full stop, or one added.
std::string sentence(std::string text) {
    if (text.empty() || text.back() != '.') text += '.';
    return text;
}

std::string fileFolder(const std::string& address) {
    // file:///folder (and file://localhost/folder)
    std::string path = address.substr(7);
    if (path.rfind("localhost/", 0) == 0) path = path.substr(9);
    // file:///C:/folder names a Windows drive's folder.
    if (path.size() >= 3 && path[0] == '/' && path[2] == ':') path = path.substr(1);
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

void sendSite(const SiteProfile& site, const SendRequest& request, SendOutcome& outcome) {
    FileSystem& fs = hostFileSystem();
    std::unique_ptr<SiteLink> link = site.address.rfind("file://", 0) == 0
                                         ? openFolderSite(fs, fileFolder(site.address))
                                         : openSite(site, outcome.lines);
    const std::string record = siteRecordFile(request.cacheFolder, shownAddress(site.address) + " " + site.user);
    MirrorProgressFn progress;
    std::ostream* terminal = request.progress;
    if (terminal || request.onFiles || request.stopRequested)
        progress = [terminal, &request](const MirrorProgress& p) {
            if (request.onFiles) request.onFiles(p.filesDone, p.files);
            if (request.stopRequested && p.filesDone < p.files && request.stopRequested()) throw SendStopped();
            if (!terminal || p.files <= kProgressFrom) return;
            *terminal << "\rsending: " << p.filesDone << "/" << p.files << " files, " << megabytes(p.bytesDone)
                      << " of " << megabytes(p.bytes) << "   " << std::flush;
            if (p.filesDone == p.files) *terminal << "\n" << std::flush;
        };
    outcome.siteShown = shownAddress(site.address);
    const MirrorResult r = mirrorFolder(fs, request.htmlFolder, *link, record, progress);
    const std::string in = std::to_string(r.localFiles) + " in the html folder)";
    outcome.lines.push_back("sent to " + shownAddress(site.address) + ": " +
                            (r.sent == 0 ? "nothing changed (" + in
                                         : std::to_string(r.sent) + (r.sent == 1 ? " file, " : " files, ") +
                                               megabytes(r.bytesSent) + " (" + in));
}

// The period's Discord messages, discord-1.md on, as UTF-8.
std::vector<std::string> periodMessages(const std::string& postsFolder) {
    FileSystem& fs = hostFileSystem();
    std::vector<std::string> messages;
    for (int n = 1;; ++n) {
        const std::string path = postsFolder + "/discord-" + std::to_string(n) + ".md";
        if (fs.kind(path) != EntryKind::File) break;
        std::string text = codePageToUtf8(readLocalFile(fs, path));
        std::string plain;
        for (char c : text)
            if (c != '\r') plain += c;
        messages.push_back(std::move(plain));
    }
    return messages;
}

// The period's links on the website are in the posts themselves, written
// with them by the run.
void sendPosts(const DiscordProfile& discord, const SendRequest& request, SendOutcome& outcome) {
    const std::vector<std::string> messages = periodMessages(request.postsFolder);
    if (messages.empty()) return;
    std::unique_ptr<DiscordLink> link = openDiscord(discord);
    const PostsResult r = postPeriod(*link, hostFileSystem(), discordRecordFile(request.cacheFolder, discord.webhook),
                                     request.periodKey, messages);
    std::string line = "posted to Discord (" + request.periodKey + "): ";
    line += std::to_string(r.posted) + " new, " + std::to_string(r.edited) + " edited";
    if (r.deleted) line += ", " + std::to_string(r.deleted) + " deleted";
    if (r.unchanged) line += ", " + std::to_string(r.unchanged) + " unchanged";
    outcome.lines.push_back(line);
    outcome.discordMessages = messages.size();
}

} // namespace

SendOutcome sendDue(const SendRequest& request) {
    SendOutcome outcome;
    std::optional<SendProfile> profile;
    try {
        profile = loadProfile(request.configFolder);
    } catch (const SendError& e) {
        outcome.configured = true;
        outcome.failures.push_back(std::string("Nothing was sent: ") + e.what());
        return outcome;
    }
    if (!profile) return outcome;
    outcome.configured = true;
    const Secrets secrets = profile->secrets();
    if (request.cacheFolder.empty()) {
        outcome.failures.push_back("Nothing was sent: no cache folder for the record of what was sent "
                                   "(set VELLOR_CACHE_DIR).");
        return outcome;
    }
    // One send at a time to these destinations (a window and a watch of the
    // same user): the second waits, as runs do for the league folder, and
    // still stops when asked.
    SendHold hold(request.cacheFolder);
    while (!hold.wait(kHoldStepMs)) {
        if (request.stopRequested && request.stopRequested()) {
            outcome.stopped = true;
            return outcome;
        }
        if (++hold.steps * kHoldStepMs >= kHoldLongestMs) {
            outcome.failures.push_back("Nothing was sent: another send to these destinations has gone on for "
                                       "ten minutes. " + std::string(kSentNextTime));
            return outcome;
        }
    }
    if (profile->site) {
        try {
            sendSite(*profile->site, request, outcome);
        } catch (const SendStopped&) {
            outcome.stopped = true;
        } catch (const SendError& e) {
            outcome.failures.push_back("Sending to " + shownAddress(profile->site->address) + " failed: " +
                                       sentence(e.what()) + " " + kSentNextTime);
        }
    }
    if (request.stopRequested && request.stopRequested()) outcome.stopped = true;
    if (profile->discord && !request.periodKey.empty() && !outcome.stopped) {
        try {
            sendPosts(*profile->discord, request, outcome);
        } catch (const SendError& e) {
            outcome.failures.push_back("Posting to " + shownWebhook(profile->discord->webhook) + " failed: " +
                                       sentence(e.what()) + " " + kSentNextTime);
        }
    }
    for (std::string& l : outcome.lines) l = secrets.scrub(l);
    for (std::string& l : outcome.failures) l = secrets.scrub(l);
    return outcome;
}

} // namespace vr
