#include "app/headless.h"
#include "app/stop_report.h"
#include "league/league_folder.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace vr {
namespace {

// The stop's last line: nothing was published.
const std::string kLeft = std::string(kLeftAsTheyWere) + "\n";
const std::string kUnder = "/Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen";

#ifndef _WIN32
// The headless run's message on an empty disk, the drive found as the
// program finds it.
std::string messageOnEmptyDisk() {
    MemoryFileSystem empty;
    LeagueFolder league(empty, driveFromEnvironment());
    return stopReport(Stop(StopKind::PathNotFound, "leaguesettings.txt"), league) + "\n";
}

TEST(StopReport, AMissingLeagueFolderSaysWhereTheDriveCameFrom) {
    ::unsetenv("VELLOR_DRIVE_C");
    ::unsetenv("WINEPREFIX");
    ::setenv("HOME", "/tmp/empty", 1);
    EXPECT_EQ(messageOnEmptyDisk(),
              "Path not found: there is no league folder at /tmp/empty/.wine/drive_c" + kUnder +
                  " (drive C: of the default Wine prefix, ~/.wine). Set WINEPREFIX to the Wine prefix the game "
                  "runs in, or VELLOR_DRIVE_C to the folder that stands for C:\\, and start again.\n" + kLeft);

    ::setenv("WINEPREFIX", "/home/c/games", 1);
    EXPECT_EQ(messageOnEmptyDisk(),
              "Path not found: there is no league folder at /home/c/games/drive_c" + kUnder +
                  " (drive C: of the Wine prefix in WINEPREFIX). Set WINEPREFIX to the Wine prefix the game "
                  "runs in, or VELLOR_DRIVE_C to the folder that stands for C:\\, and start again.\n" + kLeft);

    ::setenv("VELLOR_DRIVE_C", "/mnt/c", 1);
    EXPECT_EQ(messageOnEmptyDisk(),
              "Path not found: there is no league folder at /mnt/c" + kUnder +
                  " (VELLOR_DRIVE_C gives /mnt/c as drive C:). Set VELLOR_DRIVE_C to the folder that stands for "
                  "C:\\ (the one holding Users), or unset it to use the Wine prefix.\n" + kLeft);
    ::unsetenv("VELLOR_DRIVE_C");
    ::unsetenv("WINEPREFIX");
}
#endif

TEST(StopReport, AMissingGameFolderNamesItAsAnIncompleteExport) {
    MemoryFileSystem fs;
    fs.addFolder(testing::kLeague);
    LeagueFolder league(fs, testing::kDrive);
    EXPECT_EQ(stopReport(Stop(StopKind::PathNotFound, "html\\standings.htm"), league) + "\n",
              "Path not found: the folder " +
                             displayPath(std::string(testing::kLeague) + "/html") +
                             " is missing: the game's export is incomplete. Export the league's pages again "
                             "from the game.\n" + kLeft);

    // Deeper down: the rosters folder of a league whose html folder is there.
    testing::MemoryLeague rosters;
    EXPECT_EQ(rosters.league.firstMissingFolder("html\\rosters\\roster1.htm"),
              std::optional<std::string>("html\\rosters"));
    EXPECT_EQ(rosters.league.firstMissingFolder("html\\standings.htm"), std::nullopt);
    EXPECT_EQ(rosters.league.expectedHostFolder("html\\rosters"), std::string(testing::kLeague) + "/html/rosters");
}

} // namespace
} // namespace vr
