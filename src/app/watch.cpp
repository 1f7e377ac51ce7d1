#include "app/watch.h"

#include "additions/addition_files.h"
#include "additions/archive.h"
#include "app/export_check.h"
#include "app/headless_window.h"
#include "app/period_check.h"
#include "app/run_sequences.h"
#include "app/send_after_go.h"
#include "app/run_summary.h"
#include "app/stop_report.h"
#include "host/environment.h"
#include "league/league_folder.h"
#include "league/page_end.h"
#include "snapshot/period_probe.h"
#include "text/end_request.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

namespace vr {
namespace {

// Every input of a run that the game writes at each export: pages, and the
// folders whose every file counts. The program's own files lie elsewhere,
// so its publications are not taken for an export.
const char* const kWatchedPages[] = {"html\\standings.htm", "html\\leagueschedule.htm"};
// Folders whose files are rewritten at each export, and those whose files,
// one per game, are written once.
const char* const kWatchedFolders[] = {"html\\rosters"};
const char* const kDeepFolders[] = {"pbp", "html\\boxes"};

// Each stat of every input folded into one number, and the newest time
// among them: a page rewritten in place changes no folder's own stat.
struct Stats {
    std::uint64_t hash = 14695981039346656037ull;
    std::int64_t newestNs = 0;

    void add(std::uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            hash ^= (v >> (8 * i)) & 0xff;
            hash *= 1099511628211ull;
        }
    }
    void add(std::string_view name, const FileStat& st) {
        add(name.size());
        for (char c : name) add(static_cast<unsigned char>(c));
        add(static_cast<std::uint64_t>(st.kind));
        add(st.known);
        add(st.size);
        add(static_cast<std::uint64_t>(st.modifiedNs));
        add(static_cast<std::uint64_t>(st.changedNs));
        add(st.volume);
        add(st.identity);
        if (st.kind == EntryKind::File) newestNs = std::max({newestNs, st.modifiedNs, st.changedNs});
    }
};

// Those of each look, and those of the files stat'ed every kDeepLookEvery.
struct Fingerprint {
    Stats quick, deep;
    std::int64_t newestNs() const { return std::max(quick.newestNs, deep.newestNs); }
    bool operator==(const Fingerprint& o) const { return quick.hash == o.quick.hash && deep.hash == o.deep.hash; }
};

class Watch {
public:
    Watch(const WatchOptions& options, std::ostream& out, FileSystem& fs, const LeaguePlace& place,
          WatchClock& clock)
        : options_(options), out_(out), fs_(fs), league_(fs, place), clock_(clock) {
        league_.setHoldNotice([this](std::string_view notice) { say(std::string(notice)); });
    }

    int run() {
        const std::string folder = displayPath(league_.expectedHostFolder(""));
        FileSystem::Lock lock = FileSystem::kNoLock;
        if (!holdWatch(lock, folder)) return 1;
        say("watching the league folder " + folder + " for the game's exports (" +
            displayLeagueFile(kWatchedPages[0]) + ", " + displayLeagueFile(kWatchedPages[1]) + ", the folders " +
            displayLeagueFile(kWatchedFolders[0]) + ", " + displayLeagueFile(kDeepFolders[0]) + " and " +
            displayLeagueFile(kDeepFolders[1]) + "); each is published once it has stood still for " +
            plainDigits(static_cast<long>(options_.settle)) + " s. Ctrl+C or SIGTERM stops the watch.");
        const int status = watchUntilEnd();
        say("the watch stopped.");
        fs_.unlockFolder(lock);
        return status;
    }

private:
    // One watch per league: two would publish each export twice. The hold
    // is a lock on a folder of the user's cache named after the league
    // folder, which the system frees however the watch ends; a note there
    // names the watch that holds it.
    bool holdWatch(FileSystem::Lock& lock, const std::string& folder) {
        if (options_.lockFolder.empty()) return true;
        std::uint64_t hash = 1469598103934665603ULL; // FNV-1a, the same for every build
        for (unsigned char c : league_.expectedHostFolder("")) {
            hash ^= c;
            hash *= 1099511628211ULL;
        }
        char hex[17];
        for (int i = 15; i >= 0; --i, hash >>= 4) hex[i] = "0123456789abcdef"[hash & 0xF];
        hex[16] = '\0';
        const std::string held = options_.lockFolder + "/watch-" + hex;
        const std::string note = held + "/watch.txt";
        try {
            // Without a folder to hold, the watch runs unheld.
            if (!fs_.makeFolders(held)) return true;
            if (!fs_.lockFolder(held, 0, lock)) {
                std::string first = readNote(note);
                say("another watch is already running on the league folder " + folder +
                    (first.empty() ? std::string() : " (" + first + ")") +
                    "; this one does not start, as two would publish each export twice.");
                return false;
            }
            std::string text = "started " + clock_.localTime() + ", process " + std::to_string(processId());
            if (!options_.log.empty()) text += ", log " + displayPath(options_.log);
            writeWhole(fs_, note, OpenMode::Output, text);
        } catch (const Stop&) {
            // A note that cannot be written names nobody; the hold stands.
        }
        return true;
    }

    std::string readNote(const std::string& note) {
        std::string text;
        try {
            FileSystem::Handle h = fs_.open(note, OpenMode::Input);
            char buffer[512];
            std::size_t n = fs_.read(h, buffer, sizeof buffer);
            fs_.close(h);
            text.assign(buffer, n);
        } catch (const Stop&) {
        }
        return text.substr(0, text.find_first_of("\r\n"));
    }

    int watchUntilEnd() {
        Fingerprint seen = fingerprint(nullptr);
        double changedAt = clock_.now();
        bool pending = true; // an export may have come while nobody watched
        for (long look = 1; !clock_.endRequested(); ++look) {
            Fingerprint now = fingerprint(look % kDeepLookEvery == 0 ? nullptr : &seen);
            if (!(now == seen)) {
                seen = now;
                changedAt = clock_.now();
                pending = true;
            } else if (pending && clock_.now() - changedAt >= options_.settle) {
                pending = false;
                // An export that comes while this runs is a change the
                // next look finds.
                check(seen.newestNs());
            } else if (incompleteSince_ && clock_.now() - *incompleteSince_ >= kIncompleteWait) {
                check(seen.newestNs()); // still half-finished: published now, with the warning
                incompleteSince_.reset(); // looked at once; a change starts a new wait
            } else if (retryAt_ && clock_.now() >= *retryAt_) {
                send(std::nullopt); // what a failed send left, even with no new export
            }
            if (!clock_.endRequested()) clock_.sleep(kWatchPoll);
        }
        return 0;
    }

    // A stat of each page and of each file of the watched folders, taken
    // straight from the host: the league folder's own listings are kept for
    // a run. The files of the deep folders as `previous` had them, where
    // given and the rest is unchanged: an export under way is looked at
    // whole.
    Fingerprint fingerprint(const Fingerprint* previous) {
        league_.forgetFolders();
        Fingerprint f;
        for (const char* page : kWatchedPages) {
            try {
                f.quick.add(page, fs_.stat(league_.hostPath(page)));
            } catch (const Stop&) {
                f.quick.add(page, FileStat{}); // a folder on the way is missing: as a missing page
            }
        }
        for (const char* folder : kWatchedFolders) addFolder(f.quick, folder, true);
        // A new file changes its folder's own stat at once.
        for (const char* folder : kDeepFolders) addFolder(f.quick, folder, false);
        if (previous && previous->quick.hash == f.quick.hash) f.deep = previous->deep;
        else
            for (const char* folder : kDeepFolders) addFolder(f.deep, folder, true);
        return f;
    }

    // The folder's own stat, and with `files` those of its entries.
    void addFolder(Stats& stats, const char* folder, bool files) {
        entries_.clear();
        try {
            const std::string host = league_.hostPath(folder);
            stats.add(folder, fs_.stat(host));
            if (files && !fs_.listStats(host, entries_)) {
                for (std::string& name : fs_.list(host)) {
                    FileStat st = fs_.stat(host + "/" + name);
                    entries_.push_back(FileSystem::NamedStat{std::move(name), st});
                }
            }
        } catch (const Stop&) {
            stats.add(folder, FileStat{}); // a folder on the way is missing
            return;
        }
        FileSystem::sortByName(entries_);
        for (const FileSystem::NamedStat& e : entries_) stats.add(e.name, e.stat);
    }

    // A missing league or game folder is said once per change, as a run
    // would say it.
    std::optional<Stop> missingFolder() {
        std::optional<std::string> missing = league_.firstMissingFolder("html\\leagueschedule.htm");
        if (!missing) return std::nullopt;
        return Stop(StopKind::PathNotFound, missing->empty() ? "leaguesettings.txt" : "html\\leagueschedule.htm");
    }

    // `newestInputNs`: the newest time among the inputs, for a period
    // already published whose inputs changed since.
    void check(std::int64_t newestInputNs) {
        league_.forgetFolders();
        if (std::optional<Stop> stop = missingFolder()) {
            say(stopReport(*stop, league_));
            return;
        }
        DayTable probed;
        std::vector<ArchivedPeriod> archived;
        FileStat digest;
        try {
            probeSimulatedDays(league_, probed);
            // The newest season's periods (an archive not yet moved into
            // seasons lies in the html folder itself).
            const std::string html = htmlFolder();
            const std::vector<std::string> seasons = archivedSeasons(fs_, html);
            archived = archivedPeriods(fs_, seasons.empty() ? html : seasonFolder(html, seasons[0]));
            digest = league_.stat("~daily.txt");
        } catch (const Stop& stop) {
            say(stopReport(stop, league_));
            return;
        }
        if (!probed.lastDay) return;
        const long last = *probed.lastDay;
        std::optional<long> published;
        if (!archived.empty()) published = archived[0].lastDay;
        long days = published && *published < last ? last - *published : options_.days;
        if (published && *published == last) {
            // Published already: again only when an input changed since
            // (a roster page come late, an export mended), over the same
            // days as before.
            if (digest.kind == EntryKind::File && digest.known && newestInputNs <= digest.modifiedNs) return;
            if (archived.size() > 1 && archived[1].lastDay < last) days = last - archived[1].lastDay;
        }
        publish(last, days);
    }

    std::string htmlFolder() {
        std::string folder = league_.hostPath("html\\x");
        folder.resize(folder.size() - 2);
        return folder;
    }

    void publish(long last, long days) {
        HeadlessWindow window(/*keepScores=*/false);
        auto state = std::make_unique<LeagueState>();
        state->cacheFolder = options_.cacheFolder;
        state->postMessage = options_.message;
        try {
            // A period the season does not have leaves even the lists. A
            // half-finished export may still be being written: it is held
            // back until it changes, or for kIncompleteWait at the most.
            auto choosePeriod = [&] {
                window.setText(TextBox::LastDay, plainDigits(last));
                window.setText(TextBox::DaysSimmed, plainDigits(days));
                checkPeriod(window.text(TextBox::LastDay), window.text(TextBox::DaysSimmed), state->days);
                return true;
            };
            const bool published = publishOnce(league_, window, *state, choosePeriod, [&](const LeagueState& s) {
                if (!exportLooksIncomplete(s)) return true;
                if (!incompleteSince_) {
                    incompleteSince_ = clock_.now();
                    say("waiting: " + exportWarnings(s));
                }
                return clock_.now() - *incompleteSince_ >= kIncompleteWait;
            });
            if (!published) return;
        } catch (const PageCutShort& cut) {
            // The game may still be writing the page: its next change is
            // looked at as a new export.
            incompleteSince_.reset();
            const std::string report = stopReport(cut, league_); // the page in the host's spelling
            say("waiting: " + report.substr(0, report.find('\n')));
            return;
        } catch (const Stop& stop) {
            incompleteSince_.reset();
            say(stopReport(stop, league_));
            return;
        }
        incompleteSince_.reset();
        say(publishedSummary(state->days, Period{last, days}));
        if (!state->archiveNote.empty()) say(state->archiveNote);
        const std::string warning = exportWarnings(*state);
        if (!warning.empty()) say(warning);
        if (options_.send) send(last);
    }

    // Sends what is due; a failure is tried again after a pause that grows
    // (1, 2, 4 ... 30 minutes), a success ends the retries.
    void send(std::optional<long> last) {
        const SendOutcome sent = sendAfterGo(league_, last, nullptr);
        for (const std::string& line : sent.lines) say(line);
        for (const std::string& line : sent.failures) say(line);
        if (!sent.failed()) {
            retryAt_.reset();
            retryPause_ = 0;
            return;
        }
        retryPause_ = retryPause_ == 0 ? kFirstSendRetry : std::min(retryPause_ * 2, kLongestSendRetry);
        retryAt_ = clock_.now() + retryPause_;
        say("sending again in " + plainDigits(static_cast<long>(retryPause_ / 60)) +
            (retryPause_ == 60 ? " minute" : " minutes"));
    }

    // One line with the local time before it (a stop's advice follows on
    // lines of its own), to the console and to the log.
    void say(const std::string& text) {
        const std::string line = clock_.localTime() + " " + text + "\n";
        out_ << line;
        out_.flush();
        if (options_.log.empty()) return;
        try {
            appendLog(line);
        } catch (const Stop& stop) {
            out_ << clock_.localTime() << " " << stop.message() << "\n";
            out_.flush();
        }
    }

    void appendLog(const std::string& line) {
        // Lines end as in the other files of the program; each is appended
        // and the log closed again, so that it may be moved away meanwhile.
        std::string bytes;
        for (char c : line) {
            if (c == '\n') bytes += '\r';
            bytes += c;
        }
        at(options_.log, 0, [&] { writeWhole(fs_, options_.log, OpenMode::Append, bytes); });
    }

    std::vector<FileSystem::NamedStat> entries_; // kept: a look allocates little
    // When the export was first found half-finished, while it is held back.
    std::optional<double> incompleteSince_;
    // When a failed send is tried again, and the pause before it.
    std::optional<double> retryAt_;
    double retryPause_ = 0;
    const WatchOptions& options_;
    std::ostream& out_;
    FileSystem& fs_;
    LeagueFolder league_;
    WatchClock& clock_;
};

} // namespace

int runWatch(const WatchOptions& options, std::ostream& out, FileSystem& fs, const LeaguePlace& place,
             WatchClock& clock) {
    try {
        return Watch(options, out, fs, place, clock).run();
    } catch (const EndRequested&) {
        // Asked to end during a run, before it put anything in place: every
        // file is as it was.
        return 0;
    }
}

} // namespace vr
