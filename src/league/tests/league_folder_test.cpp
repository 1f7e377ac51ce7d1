#include "league/league_folder.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

namespace vr {
namespace {

using testing::stopMessage;

TEST(LeagueFolder, AFolderTestedOftenIsListedOnceAndTheListingAnswersTheRest) {
    testing::MemoryLeague m;
    for (int g : {1, 2, 3, 5}) m.put("pbp\\245-" + std::to_string(g) + ".txt", "x");
    m.put("pbp\\245-7.TXT", "x");                                  // names are compared exactly
    m.fs.addFolder(testing::leaguePath("pbp\\245-6.txt"));          // a folder is no file
    EXPECT_TRUE(m.league.exists("pbp\\245-1.txt"));
    long before = m.fs.kindQueries();
    auto games = [&] {
        std::vector<bool> found;
        for (int g = 1; g <= 8; ++g) found.push_back(m.league.exists("pbp\\245-" + std::to_string(g) + ".txt"));
        return found;
    };
    const std::vector<bool> expected = {true, true, true, false, true, false, false, false};
    // Up to the limit, a stat each and no listing.
    for (int i = 1; i < LeagueFolder::kStatsBeforeListing / 8; ++i) EXPECT_EQ(games(), expected);
    EXPECT_EQ(m.fs.listings(), 0);
    EXPECT_EQ(m.fs.kindQueries() - before, LeagueFolder::kStatsBeforeListing - 8);
    // Then one listing, and the same answers without a stat per test.
    for (int i = 0; i < 100; ++i) EXPECT_EQ(games(), expected);
    EXPECT_EQ(m.fs.listings(), 1);
    EXPECT_LT(m.fs.kindQueries() - before, LeagueFolder::kStatsBeforeListing + 16);
}

TEST(LeagueFolder, StatsComeFromOneListingWhereTheHostsListingsCarryThem) {
    testing::MemoryLeague m;
    m.fs.offerStatListings();
    for (int g : {1, 2, 3}) m.put("pbp\\245-" + std::to_string(g) + ".txt", std::string(g, 'x'));
    m.fs.addFolder(testing::leaguePath("pbp\\245-4.txt"));
    const long stats = m.fs.stats();
    std::vector<FileStat> seen;
    for (int g = 1; g <= 5; ++g) seen.push_back(m.league.stat("pbp\\245-" + std::to_string(g) + ".txt"));
    for (std::size_t g = 0; g < 3; ++g) {
        EXPECT_TRUE(seen[g].known);
        EXPECT_EQ(seen[g].size, g + 1);
        EXPECT_TRUE(sameFile(seen[g], m.fs.stat(testing::leaguePath("pbp\\245-" + std::to_string(g + 1) + ".txt"))));
    }
    EXPECT_EQ(seen[3].kind, EntryKind::Directory);
    EXPECT_EQ(seen[4].kind, EntryKind::Missing);
    EXPECT_EQ(m.fs.listings(), 1);
    EXPECT_EQ(m.fs.stats() - stats, 1 + 3); // the name not listed, then the three checks above
}

TEST(LeagueFolder, AListingSeesTheProgramsOwnFilesAndLastsOneHandler) {
    testing::MemoryLeague m;
    for (int i = 0; i <= LeagueFolder::kStatsBeforeListing; ++i) EXPECT_FALSE(m.league.exists("Test.txt"));
    EXPECT_EQ(m.fs.listings(), 1);
    m.league.openOutput("Test.txt")->close(); // written by the program: seen at once
    EXPECT_TRUE(m.league.exists("Test.txt"));
    for (int i = 0; i <= LeagueFolder::kStatsBeforeListing; ++i) EXPECT_TRUE(m.league.exists("Test.txt"));
    EXPECT_EQ(m.fs.listings(), 2);
    m.put("teams.txt", "x"); // made by someone else during the handler: not yet
    EXPECT_FALSE(m.league.exists("teams.txt"));
    m.league.forgetFolders(); // the next handler looks afresh
    EXPECT_TRUE(m.league.exists("teams.txt"));
}

TEST(LeagueFolder, OpeningAFileThatMayBeMissingAnswersAsTheExistenceTest) {
    testing::MemoryLeague m;
    EXPECT_EQ(m.league.openInputIfExists("pbp\\245-1.txt"), nullptr); // no pbp folder
    m.put("pbp\\245-1.txt", "line\r\n");
    m.fs.addFolder(testing::leaguePath("pbp\\245-2.txt"));
    m.league.forgetFolders();
    auto found = m.league.openInputIfExists("pbp\\245-1.txt");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->readLine(), "line");
    EXPECT_EQ(found->name(), "pbp\\245-1.txt");
    EXPECT_EQ(m.league.openInputIfExists("pbp\\245-2.txt"), nullptr); // a folder
    EXPECT_EQ(m.league.openInputIfExists("pbp\\245-3.txt"), nullptr);
    EXPECT_EQ(m.league.openInputIfExists("pbp\\245-1.TXT"), nullptr);
    // A file that is there but fails to open stops the run.
    m.fs.failAt(m.fs.operations() + 1, StopKind::DeviceIOError);
    EXPECT_EQ(stopMessage([&] { m.league.openInputIfExists("pbp\\245-1.txt"); }),
              "Device I/O error: pbp\\245-1.txt");
}

TEST(LeagueFolder, FoldersMatchWhateverTheirCaseFilesDoNot) {
    MemoryFileSystem fs;
    fs.addFolder("/c/users/Public/DOCUMENTS/GDS/Fast Break College Basketball 2010/LeagueData/marrowdeen/HTML");
    fs.setFile("/c/users/Public/DOCUMENTS/GDS/Fast Break College Basketball 2010/LeagueData/marrowdeen/HTML/standings.htm", "s");
    LeagueFolder league(fs, "/c");
    EXPECT_TRUE(league.exists("html\\standings.htm"));
    EXPECT_FALSE(league.exists("html\\Standings.htm"));
    auto in = league.openInput("html\\standings.htm");
    EXPECT_EQ(in->readLine(), "s");
    // Messages keep the league's own spelling.
    EXPECT_EQ(stopMessage([&] { league.openInput("html\\teams.htm"); }), "File not found: html\\teams.htm");
}

TEST(LeagueFolder, FirstCaseInsensitiveMatchInByteOrderWins) {
    MemoryFileSystem fs;
    std::string base = "/c/Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen";
    fs.addFolder(base + "/HTML");
    fs.addFolder(base + "/Html");
    fs.setFile(base + "/HTML/a.htm", "upper");
    fs.setFile(base + "/Html/a.htm", "mixed");
    LeagueFolder league(fs, "/c");
    EXPECT_EQ(std::string(league.openInput("html\\a.htm")->readLine()), "upper");
}

TEST(LeagueFolder, MissingFoldersAndFiles) {
    testing::MemoryLeague m;
    EXPECT_EQ(stopMessage([&] { m.league.openInput("html\\boxes\\box245-3.htm"); }),
              "Path not found: html\\boxes\\box245-3.htm");
    EXPECT_EQ(stopMessage([&] { m.league.openOutput("html\\boxes\\x.txt"); }),
              "Path not found: html\\boxes\\x.txt");
    EXPECT_EQ(stopMessage([&] { m.league.openInput("html\\standings.htm"); }),
              "File not found: html\\standings.htm");
    EXPECT_FALSE(m.league.exists("pbp\\245-1.txt"));

    MemoryFileSystem empty;
    LeagueFolder none(empty, "/c");
    EXPECT_EQ(stopMessage([&] { none.openOutput("leaguesettings.txt"); }),
              "Path not found: leaguesettings.txt");
}

TEST(LeagueFolder, AFolderIsNoFile) {
    testing::MemoryLeague m;
    m.fs.addFolder(testing::leaguePath("Test.txt"));
    EXPECT_FALSE(m.league.exists("Test.txt"));
    EXPECT_EQ(stopMessage([&] { m.league.openOutput("Test.txt"); }), "Permission denied: Test.txt");
}

TEST(LeagueFolder, AFolderMadeAfterAHandlerIsFoundByTheNext) {
    testing::MemoryLeague m;
    EXPECT_FALSE(m.league.exists("pbp\\200-1.txt"));
    m.put("pbp\\200-1.txt", "x");
    EXPECT_FALSE(m.league.exists("pbp\\200-1.txt")); // same handler: folder known missing
    m.league.forgetFolders();
    EXPECT_TRUE(m.league.exists("pbp\\200-1.txt"));
}

} // namespace
} // namespace vr
