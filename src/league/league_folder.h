// The league folder: the game's folder
// "C:\Users\Public\Documents\GDS\Fast Break College Basketball 2010\leaguedata\Marrowdeen\"
// mapped onto the host, or another league's beside it. Files are named in the league's own spelling,
// relative to the league folder with backslashes ("html\standings.htm"), and
// messages name them that way whatever the disk's spelling.
#pragma once

#include "league/put_in_place.h"
#include "text/file_system.h"
#include "text/line_reader.h"
#include "text/line_writer.h"

#include <functional>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vr {

// The league's name: its folder's last name, the window's title, the
// periods page's heading.
inline constexpr const char* kLeagueName = "Marrowdeen";

// Where the league lies on the host: under the folder standing for "C:\",
// or under the host's own Public Documents folder where the host names it
// (on Windows, the system's known folder stands for
// "C:\Users\Public\Documents", which need not lie on C:).
struct LeaguePlace {
    LeaguePlace(std::string driveFolder) : drive(std::move(driveFolder)) {}
    LeaguePlace(const char* driveFolder) : drive(driveFolder) {}
    LeaguePlace(std::string driveFolder, std::string documentsFolder)
        : drive(std::move(driveFolder)), documents(std::move(documentsFolder)) {}

    std::string drive;
    std::string documents; // empty: drive\Users\Public\Documents
    // The league's folder in leaguedata; empty: "Marrowdeen", or the one
    // league there when there is no such folder.
    std::string league;
    // The league the window used last: taken, when no league is chosen,
    // while its folder is there.
    std::string remembered;
};

class LeagueFolder {
public:
    LeagueFolder(FileSystem& fs, LeaguePlace place);
    ~LeagueFolder();
    LeagueFolder(const LeagueFolder&) = delete;
    LeagueFolder& operator=(const LeagueFolder&) = delete;

    FileSystem& fileSystem() { return fs_; }
    // The host folder standing for "C:\\".
    const std::string& drive() const { return drive_; }
    // The host's Public Documents folder when the place named it, else "".
    const std::string& documents() const { return documents_; }

    static constexpr const char* kDefaultLeague = kLeagueName;
    // A name of a folder in leaguedata, nothing that leads elsewhere.
    static bool plainLeagueName(const std::string& name) {
        return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:\r\n") == std::string::npos;
    }
    // The league's name: the one chosen, else the one the league folder was
    // found by (once looked up).
    const std::string& leagueName() const { return league_; }
    // The league folders in leaguedata, sorted (none when it is missing).
    std::vector<std::string> leaguesFound();

    std::unique_ptr<LineReader> openInput(std::string_view file);
    // The file for reading, or none when the open finds no file of that name
    // (it or its folder missing, or a folder in its place): one open where
    // an existence test and an open would take two. Any other failure to
    // open stops as openInput() does.
    std::unique_ptr<LineReader> openInputIfExists(std::string_view file);
    std::unique_ptr<LineWriter> openOutput(std::string_view file);
    std::unique_ptr<LineWriter> openAppend(std::string_view file);
    // A file of exactly that name (no folder or special file). A folder tested
    // often within one handler is listed once, and the listing answers the
    // rest of its tests until the handler ends or the program writes there.
    bool exists(std::string_view file);
    // One stat of the file, opening nothing; Missing when its folder is.
    FileStat stat(std::string_view file);
    // Hands each file's name in a league folder to `visit`, in no set order:
    // from the listing this handler already took of it, else from a new one
    // (kept for the tests that follow). None when the folder is missing.
    void visitFilesIn(std::string_view folder, const std::function<void(std::string_view)>& visit);

    // The host path of a league file; "Path not found" when a folder on the
    // way is missing.
    std::string hostPath(std::string_view file);

    // The first folder on the way to `file` that is missing, in the league's
    // spelling: "" for the league folder itself, "html", "html\\rosters"; none
    // when every folder is there.
    std::optional<std::string> firstMissingFolder(std::string_view file);
    // Where a folder of the league belongs on the host, found or not (for
    // messages): its parent as found, then its own name.
    std::string expectedHostFolder(std::string_view folder);

    // One run at a time: waits while another run (another process, or
    // another LeagueFolder) holds the league folder, up to the hold wait,
    // then holds it until release(). A missing league folder is not held:
    // the handler's first file stops as it would. When the wait runs out:
    // "Permission denied" naming the folder and the other run.
    void hold();
    void release();
    static constexpr long kHoldWaitMs = 60 * 1000;
    void setHoldWait(long ms) { holdWaitMs_ = ms; }
    // Told when hold() finds another run holding the folder, at once
    // (kHoldWaiting), and again when that run has let it go (kHoldGoingOn):
    // a run that seems to hang says why. UTF-8 lines.
    void setHoldNotice(std::function<void(std::string_view)> notice) { holdNotice_ = std::move(notice); }
    static constexpr std::string_view kHoldWaiting = "waiting for another run in this league folder\u2026";
    static constexpr std::string_view kHoldGoingOn = "the other run has finished: this run goes on.";

    // Publishing all or nothing. Between beginPublishing() and publish(),
    // openOutput() writes a temporary twin beside its file (the checks of a
    // real open made at once) and openAppend() continues that twin;
    // publish() then checks that every file can be replaced and renames
    // the twins into place. abandonPublishing() removes the twins, leaving
    // every file as it was; PublishingScope calls it on a stop.
    void beginPublishing();
    void publish();
    void abandonPublishing();
    // The twin's name: the file's own with this added.
    static constexpr std::string_view kTemporarySuffix = ".new";

    // Folders are looked up afresh by each handler (one made after the
    // window load is found), and once within it; the folders of the files
    // opened are held open until then, so that each file is opened by its
    // name within its folder.
    void forgetFolders();
    // Starts listing a league folder with its entries' stats on another
    // thread, for the stat() calls there, the first of which waits for it.
    // The listing is kept through forgetFolders(): a headless run's window
    // load and its GO! are one look at the league, and the stats come in
    // while the load reads (a warm run of the full season is 8 to 14 ms
    // slower without it, bench/run.sh's warm-index row). Once in, its names
    // also answer the first tests of the folder's files. Nothing where the
    // host cannot list on another thread or the folder is missing.
    void prefetchStats(std::string_view folder);

    // Tests of one folder answered by a stat each before it is listed.
    static constexpr int kStatsBeforeListing = 32;

private:
    // The host folder the walk to the league starts from, and the index in
    // the fixed path of the first folder below it.
    std::pair<std::string, std::size_t> leagueRoot() const;
    // The leaguedata folder as spelt, and as found on the host.
    std::string leaguesFolderPath() const;
    std::optional<std::string> resolveLeagues();
    // The host folder, or none; the reference stays valid until the folders
    // are forgotten.
    const std::optional<std::string>& resolveFolder(const std::string& leagueFolder);
    // The same, answered at once for the folder looked up last.
    const std::optional<std::string>& resolveRecent(std::string_view leagueFolder);
    std::optional<std::string> resolveChild(const std::string& parent, const std::string& name);
    FileSystem::Handle openHandle(std::string_view file, OpenMode mode);
    std::unique_ptr<LineWriter> openStaged(std::string_view file, OpenMode mode);
    // Writes the file's bytes to `to`.
    void copyInto(FileSystem::Handle to, std::string_view file);

    FileSystem& fs_;
    std::string drive_;
    std::string documents_;
    std::string league_;
    bool leagueChosen_;
    std::string remembered_;
    std::map<std::string, std::optional<std::string>> folders_;
    // By host folder: the tests made so far, then the files it holds.
    struct Listing {
        int tests = 0;
        bool taken = false;
        // Sorted, searched by halving: a folder of thousands of files costs
        // no node or hash per name.
        std::vector<std::string> files;
        // Stats from one listing, where the host's listings carry them;
        // sorted by name.
        bool statsAsked = false;
        bool statsTaken = false;
        std::vector<FileSystem::NamedStat> stats;
    };
    std::map<std::string, Listing, std::less<>> listings_;
    void takeListing(Listing& listing, const std::string& host);
    void takeStats(Listing& listing, const std::string& host);
    // A folder listed on another thread: first its file names, sorted, as
    // listFiles() gives them (the window load's probe takes them when they
    // are in), then its entries' stats, sorted by name (none where the host
    // had no such listing).
    struct Prefetch {
        std::string host;
        std::future<std::vector<std::string>> files;
        std::future<std::optional<std::vector<FileSystem::NamedStat>>> stats;
        // Each half serves one handler: a later one lists afresh.
        bool filesTaken = false;
        bool statsTaken = false;
    };
    // The names listed on another thread, when they are in, for the first
    // test in their folder.
    bool takePrefetchedFiles(Listing& listing, const std::string& host);
    std::optional<Prefetch> prefetch_;
    // By host folder, those held open for this handler.
    std::map<std::string, FileSystem::Folder, std::less<>> held_;
    // The folder of the last file looked up, with its entries in the maps
    // above: runs of files in one folder (the play-by-play files, the box
    // score pages) skip the lookups by name. Map entries stay where they
    // are until erased, so the pointers hold until then.
    struct Recent {
        std::string folder;
        const std::optional<std::string>* host = nullptr;
        Listing* listing = nullptr;
        FileSystem::Folder* held = nullptr;
    };
    Recent recent_;
    std::string statPath_; // kept, so that a stat per file allocates nothing
    // The files written since beginPublishing(), in the order first opened.
    std::vector<StagedFile> staged_;
    bool publishing_ = false;
    FileSystem::Lock lock_ = FileSystem::kNoLock;
    bool holding_ = false;
    long holdWaitMs_ = kHoldWaitMs;
    std::function<void(std::string_view)> holdNotice_;
};

// The league folder held for one handler.
class LeagueHold {
public:
    explicit LeagueHold(LeagueFolder& league) : league_(league) { league_.hold(); }
    ~LeagueHold() { league_.release(); }
    LeagueHold(const LeagueHold&) = delete;
    LeagueHold& operator=(const LeagueHold&) = delete;

private:
    LeagueFolder& league_;
};

// Publishing for one handler: begun when made; a handler that stops before
// complete() leaves every file as it was.
class PublishingScope {
public:
    explicit PublishingScope(LeagueFolder& league) : league_(league) { league_.beginPublishing(); }
    ~PublishingScope() {
        if (!done_) league_.abandonPublishing();
    }
    PublishingScope(const PublishingScope&) = delete;
    PublishingScope& operator=(const PublishingScope&) = delete;
    void complete() {
        done_ = true;
        league_.publish();
    }

private:
    LeagueFolder& league_;
    bool done_ = false;
};

} // namespace vr
