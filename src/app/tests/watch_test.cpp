// The watch on generated leagues with a clock of the test's own: no test
// waits for the settle time. The game's next export is laid over the league
// while the watch sleeps.
#include "app/watch.h"
#include "app/export_check.h"
#include "app/headless.h"
#include "app/stop_report.h"
#include "testsupport/forwarding_file_system.h"
#include "testsupport/generated_league.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <unistd.h>
#include <sstream>

namespace vr {
namespace {

namespace fs = std::filesystem;

class FakeClock final : public WatchClock {
public:
    double t = 0;
    bool end = false;
    std::function<void(FakeClock&)> onSleep;
    double now() override { return t; }
    std::string localTime() override { return "2009-11-20 06:31:12"; }
    void sleep(double seconds) override {
        t += seconds;
        if (onSleep) onSleep(*this);
    }
    bool endRequested() override { return end; }
};

// The host's files, with the opens and listings counted.
class CountingFileSystem final : public testing::ForwardingFileSystem {
public:
    CountingFileSystem() : ForwardingFileSystem(hostFileSystem()) {}
    long opens = 0, listings = 0;
    Handle open(const std::string& path, OpenMode mode) override {
        ++opens;
        return ForwardingFileSystem::open(path, mode);
    }
    Handle openIn(Folder folder, const std::string& folderPath, std::string_view name, OpenMode mode) override {
        ++opens;
        return ForwardingFileSystem::openIn(folder, folderPath, name, mode);
    }
    std::vector<std::string> list(const std::string& folder) override {
        ++listings;
        return ForwardingFileSystem::list(folder);
    }
    std::vector<std::string> listFiles(const std::string& folder) override {
        ++listings;
        return ForwardingFileSystem::listFiles(folder);
    }
    bool listStats(const std::string& folder, std::vector<NamedStat>& entries) override {
        ++listings;
        return ForwardingFileSystem::listStats(folder, entries);
    }
};

constexpr const char* kLeague = "--preset demo --odd-names --last-simulated-day ";
constexpr const char* kAt = "2009-11-20 06:31:12 ";

// The watch's lines between the one saying it starts on `league` and the one
// saying it stopped, which are checked here.
std::string between(const std::string& said, const fs::path& league) {
    const std::size_t firstEnd = said.find('\n');
    const std::string first = said.substr(0, firstEnd + 1);
    const std::string start = std::string(kAt) + "watching the league folder ";
    EXPECT_EQ(first.rfind(start, 0), 0u) << said;
    EXPECT_NE(first.find(displayPath(league.string())), std::string::npos) << first;
    EXPECT_NE(first.find("Ctrl+C or SIGTERM stops the watch.\n"), std::string::npos) << first;
    const std::string stopped = std::string(kAt) + "the watch stopped.\n";
    if (said.size() < firstEnd + 1 + stopped.size() || said.substr(said.size() - stopped.size()) != stopped) {
        ADD_FAILURE() << "no stop line: " << said;
        return said;
    }
    return said.substr(firstEnd + 1, said.size() - firstEnd - 1 - stopped.size());
}

TEST(Watch, PublishesEachNewExportOnceOverTheDaysSinceTheLast) {
    testing::GeneratedDrive first(std::string(kLeague) + "249"), next(std::string(kLeague) + "251"),
        alone(std::string(kLeague) + "251");
    if (!first.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(first.error() + next.error() + alone.error(), "");

    CountingFileSystem files;
    FakeClock clock;
    long idleOpens = -1, idleListings = -1;
    std::ostringstream out, err;
    const fs::path log = first.drive() / "watch.log";
    clock.onSleep = [&](FakeClock& c) {
        if (c.t == 10) {
            // The next export, written over the first file by file (the
            // library's copies refuse to overwrite on Windows).
            for (const auto& e : fs::recursive_directory_iterator(next.file(""))) {
                const fs::path to = first.file("") / e.path().lexically_relative(next.file(""));
                if (e.is_directory()) fs::create_directories(to);
                else std::ofstream(to, std::ios::binary | std::ios::trunc) << testing::readBytes(e.path());
            }
        } else if (c.t == 30) {
            idleOpens = files.opens;
            idleListings = files.listings;
        } else if (c.t >= 600) {
            c.end = true;
        }
    };
    const int status = runHeadless({"--watch", "--settle", "5", "--log", log.string(), "--no-index"}, out, err,
                                   files, first.drive().string(), &clock);
    EXPECT_EQ(status, 0) << err.str();
    const std::string lines = "2009-11-20 06:31:12 published days 247-249: 36 games\n"
                              "2009-11-20 06:31:12 published days 250-251: 24 games\n";
    const fs::path folder = first.file("");
    EXPECT_EQ(between(out.str(), folder), lines);
    std::string crlfLines = out.str();
    for (std::size_t at = crlfLines.find('\n'); at != std::string::npos; at = crlfLines.find('\n', at + 2))
        crlfLines.insert(at, "\r");
    EXPECT_EQ(testing::readBytes(log), crlfLines);
    // Idle, it looks with stats alone (the watched folders listed with
    // theirs): nothing opened but the log, for the line saying the watch stopped.
    EXPECT_EQ(files.opens, idleOpens + 1);
    EXPECT_GT(files.listings, idleListings);

    // The period as a run over the same days publishes it.
    std::ostringstream runOut, runErr;
    ASSERT_EQ(runHeadless({"--run", "--last-day", "251", "--days", "2", "--no-index"}, runOut, runErr,
                          hostFileSystem(), alone.drive().string()),
              0)
        << runErr.str();
    EXPECT_EQ(first.bytes("~daily.txt"), alone.bytes("~daily.txt"));
    EXPECT_EQ(first.bytes("html/scoreboard.html"), alone.bytes("html/scoreboard.html"));
    EXPECT_TRUE(fs::exists(first.file("html/seasons/2009-10/scoreboard-day249.html")));
}

TEST(Watch, SaysWhatStopsAndWatchesOn) {
    testing::GeneratedDrive league(std::string(kLeague) + "249");
    if (!league.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(league.error(), "");
    fs::remove(league.file("html/rosters/roster3.htm"));
    FakeClock clock;
    clock.onSleep = [&](FakeClock& c) {
        if (c.t == 40) {
            fs::remove_all(league.file("html"));
        }
        if (c.t >= 100) c.end = true;
    };
    std::ostringstream out, err;
    EXPECT_EQ(runHeadless({"--watch", "--days", "1", "--settle", "0"}, out, err, hostFileSystem(),
                          league.drive().string(), &clock),
              0);
    const std::string html = (league.file("") / "html").string();
    const std::string left = std::string(kLeftAsTheyWere) + "\n";
    EXPECT_EQ(between(out.str(), league.file("")),
              "2009-11-20 06:31:12 File not found: " + displayLeagueFile("html\\rosters\\roster3.htm") + "\n" +
                  left + "2009-11-20 06:31:12 Path not found: the folder " + displayPath(html) +
                  " is missing: the game's export is incomplete. Export the league's pages again from the game.\n" +
                  left);
}

TEST(Watch, AMissingLeagueIsSaidOnceWithWhereItLooked) {
    const fs::path drive = fs::temp_directory_path() / ("vr-watch-empty-" + std::to_string(::getpid()));
    fs::create_directories(drive);
    FakeClock clock;
    clock.onSleep = [](FakeClock& c) { c.end = c.t >= 50; };
    std::ostringstream out, err;
    EXPECT_EQ(runHeadless({"--watch", "--settle", "0"}, out, err, hostFileSystem(), drive.string(), &clock), 0);
    fs::remove_all(drive);
    const std::string said = out.str();
    const std::string missing = "2009-11-20 06:31:12 Path not found: there is no league folder at ";
    EXPECT_EQ(between(said, drive / testing::kLeagueBelowDrive).rfind(missing, 0), 0u) << said;
    EXPECT_EQ(said.find("Path not found"), said.rfind("Path not found"));
    EXPECT_NE(said.find((drive / "Users").string()), std::string::npos) << said;
}

TEST(Watch, AWrongCommandLineExitsWithTwo) {
    for (std::vector<std::string> args : {std::vector<std::string>{"--watch", "--last-day", "3"},
                                          {"--watch", "--settle", "soon"}, {"--watch", "--days", "0"},
                                          {"--watch", "--run"}, {"--run", "--settle", "5"}, {"--log", "x"},
                                          {"--watch", "--log"}}) {
        std::ostringstream out, err;
        FakeClock clock;
        EXPECT_EQ(runHeadless(args, out, err, hostFileSystem(), "/nonexistent", &clock), 2) << args[1];
        EXPECT_EQ(err.str().rfind("vellor-results: ", 0), 0u) << err.str();
        EXPECT_NE(err.str().find("\nUsage: vellor-results --"), std::string::npos) << err.str();
    }
}

} // namespace
} // namespace vr

namespace vr {
namespace {

// A half-finished export is held back: published once the missing file
// comes, or after kIncompleteWait anyway, with the warning in the log.
TEST(Watch, WaitsForAHalfFinishedExport) {
    for (bool fileComes : {true, false}) {
        SCOPED_TRACE(fileComes ? "the file comes" : "it never comes");
        testing::GeneratedDrive league(std::string(kLeague) + "249");
        if (!league.ready()) GTEST_SKIP() << "generator not built";
        ASSERT_EQ(league.error(), "");
        const fs::path gap = league.file("pbp/248-3.txt");
        const std::string bytes = testing::readBytes(gap);
        fs::remove(gap);
        FakeClock clock;
        clock.onSleep = [&](FakeClock& c) {
            if (fileComes && c.t == 60) std::ofstream(gap, std::ios::binary) << bytes;
            if (c.t >= (fileComes ? 200 : kIncompleteWait + 60)) c.end = true;
        };
        std::ostringstream out, err;
        EXPECT_EQ(runHeadless({"--watch", "--days", "3", "--settle", "5", "--no-index"}, out, err,
                              hostFileSystem(), league.drive().string(), &clock),
                  0);
        const std::string warning = incompleteExportWarning({"pbp\\248-3.txt"});
        std::string expected = "2009-11-20 06:31:12 waiting: " + warning + "\n2009-11-20 06:31:12 published days 247-249: ";
        const std::string said = between(out.str(), league.file(""));
        EXPECT_EQ(said.substr(0, expected.size()), expected);
        EXPECT_EQ(said.find(warning + "\n", expected.size()) != std::string::npos, !fileComes) << said;
    }
}

} // namespace
} // namespace vr

namespace vr {
namespace {

// Copies the files of `from` over those of `to` that `pick` takes, file by
// file, in place.
void layOver(const testing::GeneratedDrive& from, const testing::GeneratedDrive& to,
             const std::function<bool(const std::string&)>& pick) {
    for (const auto& e : fs::recursive_directory_iterator(from.file(""))) {
        const fs::path relative = e.path().lexically_relative(from.file(""));
        const fs::path target = to.file("") / relative;
        if (e.is_directory()) fs::create_directories(target);
        else if (pick(relative.generic_string()))
            std::ofstream(target, std::ios::binary | std::ios::trunc) << testing::readBytes(e.path());
    }
}

bool isLatePage(const std::string& name) {
    return name == "html/standings.htm" || name.rfind("html/rosters/", 0) == 0;
}

// The game writes the standings and the rosters last, after a pause that may
// be longer than the settle time: the period is published again with them,
// once.
TEST(Watch, PagesComingAfterTheSettleTimeArePublishedAgainOnce) {
    testing::GeneratedDrive first(std::string(kLeague) + "249"), next(std::string(kLeague) + "251"),
        alone(std::string(kLeague) + "251");
    if (!first.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(first.error() + next.error() + alone.error(), "");
    ASSERT_NE(first.bytes("html/standings.htm"), next.bytes("html/standings.htm"));
    FakeClock clock;
    clock.onSleep = [&](FakeClock& c) {
        if (c.t == 10) layOver(next, first, [](const std::string& name) { return !isLatePage(name); });
        if (c.t == 40) layOver(next, first, isLatePage);
        if (c.t >= 200) c.end = true;
    };
    std::ostringstream out, err;
    EXPECT_EQ(runHeadless({"--watch", "--settle", "5", "--no-index"}, out, err, hostFileSystem(),
                          first.drive().string(), &clock),
              0);
    EXPECT_EQ(between(out.str(), first.file("")), "2009-11-20 06:31:12 published days 247-249: 36 games\n"
                                                  "2009-11-20 06:31:12 published days 250-251: 24 games\n"
                                                  "2009-11-20 06:31:12 published days 250-251: 24 games\n"
                                                  "2009-11-20 06:31:12 replaced the archived period 250-251\n");
    std::ostringstream runOut, runErr;
    ASSERT_EQ(runHeadless({"--run", "--last-day", "251", "--days", "2", "--no-index"}, runOut, runErr,
                          hostFileSystem(), alone.drive().string()),
              0);
    for (const char* file : {"~daily.txt", "html/scoreboard.html", "teaminfo.txt", "Test.txt"})
        EXPECT_EQ(first.bytes(file), alone.bytes(file)) << file;
}

// A page cut short is waited for, as the game may still be writing it.
TEST(Watch, WaitsForAPageCutShort) {
    testing::GeneratedDrive league(std::string(kLeague) + "249");
    if (!league.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(league.error(), "");
    const fs::path page = league.file("html/rosters/roster2.htm");
    const std::string whole = testing::readBytes(page);
    std::ofstream(page, std::ios::binary | std::ios::trunc) << whole.substr(0, whole.size() / 3);
    FakeClock clock;
    clock.onSleep = [&](FakeClock& c) {
        if (c.t == 30) std::ofstream(page, std::ios::binary | std::ios::trunc) << whole;
        if (c.t >= 100) c.end = true;
    };
    std::ostringstream out, err;
    EXPECT_EQ(runHeadless({"--watch", "--settle", "5", "--no-index"}, out, err, hostFileSystem(),
                          league.drive().string(), &clock),
              0);
    EXPECT_EQ(between(out.str(), league.file("")),
              "2009-11-20 06:31:12 waiting: End of file: " + displayLeagueFile("html\\rosters\\roster2.htm") +
                  ": the page ends "
                         "before its end (the game may still be writing it); export the league's pages again\n"
                         "2009-11-20 06:31:12 published days 247-249: 36 games\n");
}

#ifndef _WIN32
// Two watches on one league would publish each export twice: the second
// does not start, and names the first.
TEST(Watch, ASecondWatchOnTheSameLeagueRefusesNamingTheFirst) {
    testing::GeneratedDrive league(std::string(kLeague) + "249");
    if (!league.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(league.error(), "");
    const fs::path cache = league.drive() / "cache";
    ::setenv("VELLOR_CACHE_DIR", cache.string().c_str(), 1);
    FakeClock clock;
    std::ostringstream out, err, secondOut, secondErr;
    int second = -1;
    clock.onSleep = [&](FakeClock& c) {
        if (c.t == 3) {
            FakeClock other;
            second = runHeadless({"--watch", "--no-index"}, secondOut, secondErr, hostFileSystem(),
                                 league.drive().string(), &other);
        }
        c.end = c.t >= 5;
    };
    EXPECT_EQ(runHeadless({"--watch", "--no-index", "--log", (league.drive() / "w.log").string()}, out, err,
                          hostFileSystem(), league.drive().string(), &clock),
              0);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(secondOut.str(), std::string(kAt) + "another watch is already running on the league folder " +
                                   displayPath(league.file("").string()) + " (started 2009-11-20 06:31:12, process " +
                                   std::to_string(::getpid()) + ", log " +
                                   displayPath((league.drive() / "w.log").string()) +
                                   "); this one does not start, as two would publish each export twice.\n");
    // Once the first has stopped, a watch starts again.
    FakeClock later;
    later.end = true;
    std::ostringstream laterOut, laterErr;
    EXPECT_EQ(runHeadless({"--watch", "--no-index"}, laterOut, laterErr, hostFileSystem(), league.drive().string(),
                          &later),
              0);
    ::unsetenv("VELLOR_CACHE_DIR");
}
#endif

} // namespace
} // namespace vr
