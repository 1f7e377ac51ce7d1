#include "additions/watch.h"

#include "additions/addition_files.h"
#include "additions/archive.h"
#include "app/export_check.h"
#include "app/headless_window.h"
#include "app/run_sequences.h"
#include "app/run_summary.h"
#include "app/stop_report.h"
#include "host/environment.h"
#include "league/league_folder.h"
#include "snapshot/period_probe.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace vr {
namespace {

// The files the game writes at each export. The program's own files lie
// elsewhere, so its publications are not taken for an export.
const char* const kWatched[] = {"html\\leagueschedule.htm", "pbp", "html\\boxes"};

struct Fingerprint {
    FileStat stats[std::size(kWatched)];
    bool operator==(const Fingerprint& o) const {
        for (std::size_t i = 0; i < std::size(kWatched); ++i) {
            const FileStat &a = stats[i], &b = o.stats[i];
            if (a.kind != b.kind || a.known != b.known || a.size != b.size || a.modifiedNs != b.modifiedNs ||
                a.volume != b.volume || a.identity != b.identity)
                return false;
        }
        return true;
    }
};

class Watch {
public:
    Watch(const WatchOptions& options, std::ostream& out, FileSystem& fs, const LeaguePlace& place,
          WatchClock& clock)
        : options_(options), out_(out), fs_(fs), league_(fs, place), clock_(clock) {}

    int run() {
        const std::string folder = displayPath(league_.expectedHostFolder(""));
        FileSystem::Lock lock = FileSystem::kNoLock;
        if (!holdWatch(lock, folder)) return 1;
        say("watching the league folder " + folder + " for the game's exports (" +
            displayLeagueFile(kWatched[0]) + ", the folders " + displayLeagueFile(kWatched[1]) + " and " +
            displayLeagueFile(kWatched[2]) + "); each is published once it has stood still for " +
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
        Fingerprint seen = fingerprint();
        double changedAt = clock_.now();
        bool pending = true; // an export may have come while nobody watched
        while (!clock_.endRequested()) {
            Fingerprint now = fingerprint();
            if (!(now == seen)) {
                seen = now;
                changedAt = clock_.now();
                pending = true;
            } else if (pending && clock_.now() - changedAt >= options_.settle) {
                pending = false;
                // An export that comes while this runs is a change the
                // next look finds.
                check();
            } else if (incompleteSince_ && clock_.now() - *incompleteSince_ >= kIncompleteWait) {
                check(); // still half-finished: published now, with the warning
                incompleteSince_.reset(); // looked at once; a change starts a new wait
            }
            if (!clock_.endRequested()) clock_.sleep(kWatchPoll);
        }
        return 0;
    }

    // One stat of each watched entry: the league folder's stats come from a
    // listing of the whole folder, which a look every second must not take.
    Fingerprint fingerprint() {
        league_.forgetFolders();
        Fingerprint f;
        for (std::size_t i = 0; i < std::size(kWatched); ++i) {
            try {
                f.stats[i] = fs_.stat(league_.hostPath(kWatched[i]));
            } catch (const Stop&) {
                // a folder on the way is missing: as a missing entry
            }
        }
        return f;
    }

    // A missing league or game folder is said once per change, as a run
    // would say it.
    std::optional<Stop> missingFolder() {
        std::optional<std::string> missing = league_.firstMissingFolder("html\\leagueschedule.htm");
        if (!missing) return std::nullopt;
        return Stop(StopKind::PathNotFound, missing->empty() ? "leaguesettings.txt" : "html\\leagueschedule.htm");
    }

    void check() {
        league_.forgetFolders();
        if (std::optional<Stop> stop = missingFolder()) {
            say(stopReport(*stop, league_));
            return;
        }
        DayTable probed;
        std::optional<long> published;
        try {
            probeSimulatedDays(league_, probed);
            published = lastArchivedDay(fs_, htmlFolder());
        } catch (const Stop& stop) {
            say(stopReport(stop, league_));
            return;
        }
        if (!probed.lastDay || (published && *probed.lastDay == *published)) return;
        const long last = *probed.lastDay;
        const long days = published && *published < last ? last - *published : options_.days;
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
            // The index checks every play-by-play file: their stats come in while the load reads.
            if (!state->cacheFolder.empty()) league_.prefetchStats("pbp");
            windowLoad(league_, window, *state);
            window.setText(TextBox::LastDay, plainDigits(last));
            window.setText(TextBox::DaysSimmed, plainDigits(days));
            // A half-finished export may still be being written: it is held
            // back until it changes, or for kIncompleteWait at the most.
            const bool published = goRun(league_, window, *state, [&](const LeagueState& s) {
                if (s.missingPlayByPlay.empty()) return true;
                if (!incompleteSince_) {
                    incompleteSince_ = clock_.now();
                    say("waiting: " + incompleteExportWarning(s.missingPlayByPlay));
                }
                return clock_.now() - *incompleteSince_ >= kIncompleteWait;
            });
            if (!published) return;
        } catch (const Stop& stop) {
            incompleteSince_.reset();
            say(stopReport(stop, league_));
            return;
        }
        incompleteSince_.reset();
        say(publishedSummary(state->days, Period{last, days}));
        if (!state->missingPlayByPlay.empty()) say(incompleteExportWarning(state->missingPlayByPlay));
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

    // When the export was first found half-finished, while it is held back.
    std::optional<double> incompleteSince_;
    const WatchOptions& options_;
    std::ostream& out_;
    FileSystem& fs_;
    LeagueFolder league_;
    WatchClock& clock_;
};

} // namespace

int runWatch(const WatchOptions& options, std::ostream& out, FileSystem& fs, const LeaguePlace& place,
             WatchClock& clock) {
    return Watch(options, out, fs, place, clock).run();
}

} // namespace vr
