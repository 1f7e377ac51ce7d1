// A half-finished export: the missing play-by-play files found, and the
// headless run's warning, which leaves the run's files and status alone.
#include "app/export_check.h"
#include "app/headless.h"
#include "app/stop_report.h"
#include "testsupport/generated_league.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace vr {
namespace {

using Names = std::vector<std::string>;

TEST(ExportCheck, PlayedGamesWithoutAFileAndGapsInADay) {
    testing::MemoryLeague m;
    for (const char* name : {"245-1.txt", "245-2.txt", "245-4.txt", "246-2.txt", "245-05.txt", "notes.txt"})
        m.put(std::string("pbp\\") + name, "x");
    EXPECT_EQ(missingPlayByPlayFiles(m.league, {GameKey{247, 1}, GameKey{245, 3}}),
              (Names{"pbp\\245-3.txt", "pbp\\246-1.txt", "pbp\\247-1.txt"}));

    testing::MemoryLeague none; // no pbp folder at all
    EXPECT_EQ(missingPlayByPlayFiles(none.league, {}), Names{});
}

TEST(ExportCheck, TheWarningNamesTheFirstFewFiles) {
    EXPECT_EQ(incompleteExportWarning({}), "");
    const std::string tail = "; export the league again from the game if the export was cut short.";
    EXPECT_EQ(incompleteExportWarning({"pbp\\245-3.txt"}),
              "Warning: the game's export looks incomplete: the play-by-play file " + displayLeagueFile("pbp\\245-3.txt") +
                  " is missing. The run went on without it" + tail);
    EXPECT_EQ(incompleteExportWarning({"a", "b"}),
              "Warning: the game's export looks incomplete: the play-by-play files a and b are missing. The run went on without them" + tail);
    EXPECT_EQ(incompleteExportWarning({"a", "b", "c", "d", "e", "f", "g"}),
              "Warning: the game's export looks incomplete: the play-by-play files a, b, c, d, e and 2 more are "
              "missing. The run went on without them" + tail);
}

TEST(ExportCheck, TheHeadlessRunWarnsAndEndsWell) {
    testing::GeneratedDrive drive("--teams 8 --games-per-day 4 --first-day 240 --last-day 250 "
                                  "--last-simulated-day 248 --bracket 0");
    if (!drive.ready()) GTEST_SKIP() << "the sample-league generator is not built";
    ASSERT_EQ(drive.error(), "");
    auto run = [&](std::string& err) {
        std::ostringstream out, errors;
        int status = runHeadless({"--run", "--no-index"}, out, errors, hostFileSystem(), drive.drive().string());
        err = errors.str();
        return status;
    };
    std::string err;
    EXPECT_EQ(run(err), 0);
    EXPECT_EQ(err.substr(19), " published days 246-248: 12 games\n"); // after the time
    std::filesystem::remove(drive.file("pbp/246-2.txt"));
    EXPECT_EQ(run(err), 0);
    EXPECT_EQ(err.rfind("Warning: the game's export looks incomplete: the play-by-play file " +
                            displayLeagueFile("pbp\\246-2.txt") + " is missing.",
                        0),
              0u)
        << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2); // the warning, then what was published
}

} // namespace
} // namespace vr
