// File-system faults over a whole run (window load and GO!) of a small
// generated league held in memory: every operation of the run made to fail
// in turn, once and from then on, then a read-only folder, a read-only
// Test.txt, folders where files belong, missing or cut-off pages and a full
// disk. Each time the run must stop naming the file the fault hit, never
// show green, and leave each handler's publications all as they were or, for
// the window load that completed, all new: never a part. settings2.txt holds
// its old or its new two lines, and no temporary twin is left.
#include "app/run_sequences.h"
#include "testsupport/generated_league.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

namespace vr {
namespace {

using testing::FakeWindow;
using testing::kLeague;
using testing::leaguePath;
using testing::MemoryLeague;
using Files = std::map<std::string, std::string>; // host path -> bytes
using Op = MemoryFileSystem::Op;

// Four teams, two games a day, days 240 to 250 played through 248, with all
// the edge cases the generator places: a few hundred file operations a run.
constexpr const char* kOptions =
    "--teams 4 --games-per-day 2 --first-day 240 --last-day 250 --last-simulated-day 248 "
    "--bracket 0 --all-edge-cases";

// What the run writes; settings2.txt is checked on its own.
const char* const kOutputs[] = {"leaguesettings.txt", "teams.txt",     "teaminfo.txt",
                                "schedfile.txt",      "Upsets.txt",    "TopResults.txt",
                                "Test.txt",           "~daily.txt",    "html\\scoreboard.html"};
// The publications of each handler, put in place together.
const std::vector<std::vector<std::string>> kPublished = {
    {"teams.txt", "teaminfo.txt", "schedfile.txt"},
    {"Upsets.txt", "TopResults.txt", "Test.txt", "~daily.txt", "html\\scoreboard.html"},
    {"html\\seasons\\2009-10\\scoreboard-day248.html", "html\\seasons\\2009-10\\digest-day248.txt",
     "html\\seasons\\2009-10\\period-day248.html", "html\\latest.html", "html\\periods.html", "posts\\forum.txt",
     "posts\\discord-1.md"}};
// What a completed run adds after them: the period's archive and its posts.
// The archive's copies of the box scores and pictures are found in the
// reference run's season folder.
const char* const kAdditions[] = {"html\\seasons\\2009-10\\scoreboard-day248.html",
                                  "html\\seasons\\2009-10\\digest-day248.txt",
                                  "html\\seasons\\2009-10\\period-day248.html",
                                  "html\\seasons\\2009-10\\index.html",
                                  "html\\latest.html",
                                  "html\\periods.html", "posts\\forum.txt", "posts\\discord-1.md"};
constexpr const char* kSettings = "settings2.txt";
const std::string kOldSettings = "http://old.example/\r\nold message\r\n";
const std::string kNewMessage = "Sim done";
const std::string kDefaultSettings = "http://www.marrowdeen.example/\r\n\r\n";

// A host path of the memory league as messages name it: "html\boxes\...".
// A temporary twin is named as its file.
std::string leagueName(const std::string& hostPath) {
    std::string name = hostPath.substr(std::string(kLeague).size() + 1);
    for (char& c : name)
        if (c == '/') c = '\\';
    const std::string twin(LeagueFolder::kTemporarySuffix);
    if (name.size() > twin.size() && name.compare(name.size() - twin.size(), twin.size(), twin) == 0)
        name.resize(name.size() - twin.size());
    return name;
}

bool isPrefix(const std::string& part, const std::string& whole) {
    return whole.compare(0, part.size(), part) == 0;
}

struct WholeRun {
    std::unique_ptr<MemoryLeague> m = std::make_unique<MemoryLeague>();
    FakeWindow window;
    std::optional<Stop> stop;
};

// The window load, a new message typed, GO! with the period found.
WholeRun runWhole(const Files& files, const std::function<void(MemoryFileSystem&)>& prepare) {
    WholeRun r;
    for (const auto& [path, bytes] : files) r.m->fs.setFile(path, bytes);
    prepare(r.m->fs);
    auto state = std::make_unique<LeagueState>();
    try {
        windowLoad(r.m->league, r.window, *state);
        r.window.setText(TextBox::Message, kNewMessage);
        goRun(r.m->league, r.window, *state);
    } catch (const Stop& s) {
        r.stop = s;
    }
    return r;
}

// The league as generated (a first start: no settings, no outputs), and as
// a later run finds it (settings and stale outputs from before).
struct Leagues {
    std::unique_ptr<testing::GeneratedDrive> drive;
    Files firstStart;
    Files laterRun;
};

const Leagues& leagues() {
    static const Leagues l = [] {
        Leagues l;
        l.drive = std::make_unique<testing::GeneratedDrive>(kOptions);
        if (!l.drive->ready() || !l.drive->error().empty()) return l;
        const std::filesystem::path root = l.drive->file("");
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
            if (entry.is_regular_file())
                l.firstStart[std::string(kLeague) + "/" + entry.path().lexically_relative(root).generic_string()] =
                    testing::readBytes(entry.path());
        l.laterRun = l.firstStart;
        l.laterRun[leaguePath(kSettings)] = kOldSettings;
        for (const char* out : kOutputs) l.laterRun[leaguePath(out)] = "stale\r\n";
        return l;
    }();
    return l;
}

class IoFaults : public ::testing::Test {
protected:
    void SetUp() override {
        const Leagues& l = leagues();
        if (!l.drive->ready()) GTEST_SKIP() << "the sample-league generator is not built";
        ASSERT_EQ(l.drive->error(), "");
        ASSERT_FALSE(l.firstStart.empty());
    }
};

// A run without faults: green, and what it writes.
struct Reference {
    Files files;
    std::vector<MemoryFileSystem::Operation> log;
    std::set<std::string> additions; // as messages name them
};

// The files below `folder` (a host path), in every subfolder.
void filesBelow(MemoryFileSystem& fs, const std::string& folder, std::vector<std::string>& out) {
    for (const std::string& name : fs.list(folder)) {
        const std::string path = folder + "/" + name;
        if (fs.kind(path) == EntryKind::Directory) filesBelow(fs, path, out);
        else out.push_back(path);
    }
}

Reference reference(const Files& before) {
    WholeRun r = runWhole(before, [](MemoryFileSystem& fs) { fs.keepLog(); });
    EXPECT_FALSE(r.stop) << r.stop->message();
    EXPECT_EQ(r.window.colours, (std::vector<GoColour>{GoColour::Red, GoColour::Green}));
    Reference ref;
    for (const auto& [path, bytes] : before) ref.files[path] = r.m->fs.file(path);
    for (const char* out : kOutputs) ref.files[leaguePath(out)] = r.m->fs.file(leaguePath(out));
    for (const char* out : kAdditions) ref.additions.insert(out);
    std::vector<std::string> archive;
    filesBelow(r.m->fs, leaguePath("html\\seasons"), archive);
    for (const std::string& path : archive) ref.additions.insert(leagueName(path));
    for (const std::string& out : ref.additions) ref.files[leaguePath(out)] = r.m->fs.file(leaguePath(out));
    ref.files[leaguePath(kSettings)] = r.m->fs.file(leaguePath(kSettings));
    ref.log = r.m->fs.log();
    return ref;
}

// What a stopped run may leave: inputs as they were; each publication its
// old bytes or, once its handler completed, the reference's; all of a
// handler's alike unless a rename failed; settings2.txt old or new;
// leaguesettings.txt, made at the first load, a prefix; no twin left.
// Problems are described in `problems`.
void checkLeft(const WholeRun& r, const Files& before, const Reference& ref, std::vector<std::string>& problems,
               bool renameFailed = false) {
    auto problem = [&](const std::string& what) { problems.push_back(what); };
    if (r.window.colours.size() > 1 || (!r.window.colours.empty() && r.window.colours.back() == GoColour::Green))
        problem("the run showed green");
    if (r.m->fs.openHandles() != 0) problem("a file left open");

    std::set<std::string> known;
    for (const auto& file : before) known.insert(file.first);
    for (const auto& file : ref.files) known.insert(file.first);

    auto isOld = [&](const std::string& path) {
        const bool had = before.count(path) != 0, has = r.m->fs.hasFile(path);
        return had ? has && r.m->fs.file(path) == before.at(path) : !has;
    };
    auto isNew = [&](const std::string& path) {
        return r.m->fs.hasFile(path) && r.m->fs.file(path) == ref.files.at(path);
    };
    for (const std::string& path : known) {
        const std::string name = leagueName(path);
        const bool has = r.m->fs.hasFile(path);
        const std::string& now = r.m->fs.file(path);
        bool isOutput = name == kSettings;
        for (const char* out : kOutputs) isOutput = isOutput || name == out;
        if (r.m->fs.hasFile(path + std::string(LeagueFolder::kTemporarySuffix))) problem(name + "'s twin left behind");
        const bool isAddition = ref.additions.count(name) != 0;
        isOutput = isOutput || isAddition;
        if (!isOutput) {
            if (!has || now != before.at(path)) problem(name + " changed");
        } else if (name == kSettings) {
            // A first start saves the default lines at the window load.
            const bool old = before.count(path) ? isOld(path) : !has || now == kDefaultSettings;
            if (!old && !isNew(path)) problem(name + " neither old nor new: " + now);
        } else if (name == "leaguesettings.txt" || isAddition) {
            // Made at the first load; the additions, written after the run's
            // publications are in place, one file after the other.
            if (!isOld(path) && !isPrefix(now, ref.files.at(path))) problem(name + " is no prefix");
        } else if (!isOld(path) && !isNew(path)) {
            problem(name + " neither old nor new");
        }
    }
    if (renameFailed) return;
    for (const auto& handler : kPublished) {
        long fresh = 0;
        for (const std::string& name : handler)
            if (!isOld(leaguePath(name))) ++fresh;
        if (fresh != 0 && fresh != static_cast<long>(handler.size())) problem(handler[0] + "'s handler published in part");
    }
}

// Runs the walk over every operation of the reference run.
void walkEveryOperation(const Files& before) {
    const Reference ref = reference(before);
    const long operations = static_cast<long>(ref.log.size());
    ASSERT_GT(operations, 100);
    std::vector<std::string> problems;
    for (bool persistent : {false, true}) {
        for (long n = 1; n <= operations; ++n) {
            const MemoryFileSystem::Operation& op = ref.log[static_cast<std::size_t>(n - 1)];
            const StopKind kind = op.op == Op::Open ? StopKind::PermissionDenied : StopKind::DeviceIOError;
            WholeRun r = runWhole(before, [&](MemoryFileSystem& fs) { fs.failAt(n, kind, persistent); });
            const std::string at = "operation " + std::to_string(n) + (persistent ? " on" : " once") + " (" +
                                   leagueName(op.path) + "): ";
            std::vector<std::string> found;
            const std::string expected = std::string(stopKindText(kind)) + ": " + leagueName(op.path);
            if (!r.stop) found.push_back("no stop");
            else if (r.stop->message() != expected) found.push_back("stop \"" + r.stop->message() + "\", not \"" + expected + "\"");
            checkLeft(r, before, ref, found, op.op == Op::Rename);
            const bool onAddition = ref.additions.count(leagueName(op.path)) != 0;
            // A stop in the additions comes after the run's publications
            // were put in place, and says so.
            if (r.stop && onAddition && r.stop->left().empty()) found.push_back("the stop says nothing was published");
            if (r.stop && op.op == Op::Rename) {
                // The stop names the files already replaced, and only those.
                for (const auto& handler : kPublished)
                    for (const std::string& name : handler) {
                        if (std::find(handler.begin(), handler.end(), leagueName(op.path)) == handler.end()) break;
                        const std::string path = leaguePath(name);
                        const bool named = r.stop->left().find(name) != std::string::npos;
                        const bool replaced = r.m->fs.file(path) == ref.files.at(path);
                        if (named != replaced) found.push_back(name + (replaced ? " replaced, not named" : " named"));
                    }
            }
            for (const std::string& f : found) problems.push_back(at + f);
        }
    }
    // Past the last operation nothing fails.
    WholeRun after = runWhole(before, [&](MemoryFileSystem& fs) { fs.failAt(operations + 1, StopKind::DeviceIOError); });
    EXPECT_FALSE(after.stop);
    EXPECT_EQ(after.m->fs.operations(), operations);

    if (problems.size() > 20) problems.resize(20);
    EXPECT_EQ(problems, std::vector<std::string>{});
}

TEST_F(IoFaults, EveryOperationOfAFirstStartFailingInTurn) {
    walkEveryOperation(leagues().firstStart);
}

TEST_F(IoFaults, EveryOperationOfALaterRunFailingInTurn) {
    walkEveryOperation(leagues().laterRun);
}

// One run with a fault prepared: its stop message, and what it left.
std::string stopOf(const Files& before, const std::function<void(MemoryFileSystem&)>& prepare,
                   std::vector<std::string>& problems) {
    const Reference ref = reference(before);
    WholeRun r = runWhole(before, prepare);
    checkLeft(r, before, ref, problems);
    return r.stop ? r.stop->message() : "no stop";
}

TEST_F(IoFaults, AReadOnlyLeagueFolder) {
    std::vector<std::string> problems;
    auto readOnly = [](MemoryFileSystem& fs) { fs.protectFolder(kLeague); };
    EXPECT_EQ(stopOf(leagues().firstStart, readOnly, problems), "Permission denied: leaguesettings.txt");
    EXPECT_EQ(stopOf(leagues().laterRun, readOnly, problems), "Permission denied: teams.txt");
    EXPECT_EQ(problems, std::vector<std::string>{});
}

TEST_F(IoFaults, AReadOnlyTestFile) {
    std::vector<std::string> problems;
    Files before = leagues().laterRun;
    WholeRun r = runWhole(before, [](MemoryFileSystem& fs) { fs.protect(leaguePath("Test.txt")); });
    ASSERT_TRUE(r.stop);
    EXPECT_EQ(r.stop->message(), "Permission denied: Test.txt");
    checkLeft(r, before, reference(before), problems);
    EXPECT_EQ(problems, std::vector<std::string>{});
    // Red and never green; the lists opened before it keep their last
    // contents, and the settings are saved.
    EXPECT_EQ(r.window.colours, std::vector<GoColour>{GoColour::Red});
    EXPECT_EQ(r.m->get("Test.txt"), "stale\r\n");
    EXPECT_EQ(r.m->get("Upsets.txt"), "stale\r\n");
    EXPECT_EQ(r.m->get(kSettings), "http://old.example/\r\n" + kNewMessage + "\r\n");
}

// The last good run's publications, then an export gone wrong: a box score
// page missing (a stop in the second pass of Test.txt and ~daily.txt) or a
// roster page cut off (a stop in the window load). Every publication keeps
// the last good run's bytes.
TEST_F(IoFaults, ABrokenExportKeepsTheLastGoodPublications) {
    Files good = reference(leagues().laterRun).files;
    for (const char* broken : {"html\\boxes\\box248-1.htm", "html\\rosters\\roster2.htm"}) {
        SCOPED_TRACE(broken);
        Files before = good;
        std::string& page = before[leaguePath(broken)];
        if (broken[6] == 'b') before.erase(leaguePath(broken));
        else page.resize(120);
        WholeRun r = runWhole(before, [](MemoryFileSystem&) {});
        ASSERT_TRUE(r.stop);
        for (const auto& handler : kPublished)
            for (const std::string& name : handler) EXPECT_EQ(r.m->get(name), good.at(leaguePath(name))) << name;
    }
}

TEST_F(IoFaults, AFolderWhereAFileBelongs) {
    for (const char* file : {"Test.txt", "teams.txt", "html\\scoreboard.html", "html\\leagueschedule.htm",
                             "html\\rosters\\roster2.htm", "html\\boxes\\box248-1.htm", "settings2.txt.new"}) {
        SCOPED_TRACE(file);
        Files before = leagues().laterRun;
        before.erase(leaguePath(file));
        WholeRun r = runWhole(before, [&](MemoryFileSystem& fs) { fs.addFolder(leaguePath(file)); });
        ASSERT_TRUE(r.stop);
        EXPECT_EQ(r.stop->message(), "Permission denied: " + leagueName(leaguePath(file)));
        EXPECT_LT(r.window.colours.size(), 2u);
    }
}

TEST_F(IoFaults, AFolderWhereAPlayByPlayFileBelongsCountsAsNoFile) {
    // As a missing file: the day has one game less, the player of the game
    // stays unknown, and the run ends green.
    Files before = leagues().laterRun;
    before.erase(leaguePath("pbp\\248-2.txt"));
    WholeRun r = runWhole(before, [&](MemoryFileSystem& fs) { fs.addFolder(leaguePath("pbp\\248-2.txt")); });
    ASSERT_FALSE(r.stop) << r.stop->message();
    EXPECT_EQ(r.window.colours, (std::vector<GoColour>{GoColour::Red, GoColour::Green}));
}

TEST_F(IoFaults, AFullDiskAtEveryPointOfTheRun) {
    for (const Files* before : {&leagues().firstStart, &leagues().laterRun}) {
        const Reference ref = reference(*before);
        std::size_t stored = 0, growth = 0;
        for (const auto& file : *before) stored += file.second.size();
        for (const auto& file : ref.files) growth += file.second.size();
        growth -= stored; // what the run adds to the disk
        std::vector<std::string> problems;
        // Room for the inputs and from none to nearly all of the run's writes.
        for (std::size_t room = 0; room < growth; room += 509) {
            WholeRun r = runWhole(*before, [&](MemoryFileSystem& fs) {
                fs.keepLog();
                fs.setCapacity(stored + room);
            });
            const std::string at = "room " + std::to_string(room) + ": ";
            if (!r.stop) {
                problems.push_back(at + "no stop");
                continue;
            }
            const long failed = r.m->fs.firstFailure();
            const std::string expected =
                failed ? "Device I/O error: " + leagueName(r.m->fs.log()[static_cast<std::size_t>(failed - 1)].path)
                       : "a failed write";
            if (r.stop->message() != expected) problems.push_back(at + r.stop->message() + ", not " + expected);
            std::vector<std::string> found;
            checkLeft(r, *before, ref, found);
            for (const std::string& f : found) problems.push_back(at + f);
        }
        if (problems.size() > 20) problems.resize(20);
        EXPECT_EQ(problems, std::vector<std::string>{});
        // With room for all of it (and the settings' twin) the run ends green.
        WholeRun r = runWhole(*before, [&](MemoryFileSystem& fs) { fs.setCapacity(stored + growth + 100); });
        EXPECT_FALSE(r.stop) << r.stop->message();
    }
}

} // namespace
} // namespace vr
