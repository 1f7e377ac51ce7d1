// The operating system's answers mapped onto the stop kinds, in a real
// temporary folder. Built on both hosts: what needs POSIX (FIFOs, symbolic
// links, /proc, setenv) skips itself on Windows, saying why; the Windows
// layer's own cases are in windows_file_system_test.
#include "league/league_folder.h"
#include "host/drive.h"
#include "testsupport/memory_league.h"
#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace vr {
namespace {

namespace fs = std::filesystem;

class HostLeague : public ::testing::Test {
protected:
    void SetUp() override {
        drive_ = testing::makeTemporaryFolder("vr-host").string();
        ASSERT_FALSE(drive_.empty());
        leagueDir_ = fs::path(drive_) / "users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen";
        fs::create_directories(leagueDir_ / "html");
    }
    void TearDown() override {
        std::error_code ignored;
        if (!drive_.empty()) fs::remove_all(drive_, ignored);
    }

    std::string drive_;
    fs::path leagueDir_;
};

TEST_F(HostLeague, OpensReadsAndWritesThroughTheLowerCaseUsersFolder) {
    LeagueFolder league(hostFileSystem(), drive_);
    {
        auto out = league.openOutput("html\\scoreboard.html");
        out->line("<HTML>");
        out->close();
    }
    std::ifstream in(leagueDir_ / "html/scoreboard.html", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, "<HTML>\r\n");
    EXPECT_TRUE(league.exists("html\\scoreboard.html"));
    EXPECT_FALSE(league.exists("html"));
}

TEST_F(HostLeague, StopKindsFromTheSystem) {
    LeagueFolder league(hostFileSystem(), drive_);
    EXPECT_EQ(testing::stopMessage([&] { league.openInput("html\\standings.htm"); }),
              "File not found: html\\standings.htm");
    EXPECT_EQ(testing::stopMessage([&] { league.openInput("html\\rosters\\roster1.htm"); }),
              "Path not found: html\\rosters\\roster1.htm");
    fs::create_directories(leagueDir_ / "Test.txt");
    EXPECT_EQ(testing::stopMessage([&] { league.openOutput("Test.txt"); }), "Permission denied: Test.txt");
    EXPECT_EQ(testing::stopMessage([&] { league.openInput("Test.txt"); }), "Permission denied: Test.txt");
    // A file where a folder is expected.
    std::ofstream(leagueDir_ / "pbp") << "not a folder";
    EXPECT_EQ(testing::stopMessage([&] { league.openInput("pbp\\245-1.txt"); }),
              "Path not found: pbp\\245-1.txt");
    EXPECT_FALSE(league.exists("pbp\\245-1.txt"));
}

TEST_F(HostLeague, DanglingLinkCountsAsMissing) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need a privilege on Windows; the POSIX layer's case";
#else
    fs::create_symlink(leagueDir_ / "nowhere", leagueDir_ / "settings2.txt");
    LeagueFolder league(hostFileSystem(), drive_);
    EXPECT_FALSE(league.exists("settings2.txt"));
#endif
}

TEST_F(HostLeague, AListingAnswersAsAStatEach) {
#ifdef _WIN32
    GTEST_SKIP() << "FIFOs and symbolic links are POSIX's; the Windows listing is windows_file_system_test's";
#else
    fs::path pbp = leagueDir_ / "pbp";
    fs::create_directories(pbp / "245-4.txt");                      // a folder
    std::ofstream(pbp / "245-1.txt") << "x";
    fs::create_symlink(pbp / "245-1.txt", pbp / "245-2.txt");      // to a file
    fs::create_symlink(pbp / "245-4.txt", pbp / "245-5.txt");      // to a folder
    fs::create_symlink(pbp / "gone", pbp / "245-6.txt");           // dangling
    ASSERT_EQ(::mkfifo((pbp / "245-3.txt").c_str(), 0600), 0);     // special: no file
    std::ofstream(pbp / "245-7.TXT") << "x";
    FileSystem& host = hostFileSystem();
    std::vector<std::string> byStat;
    for (const std::string& name : host.list(pbp.string()))
        if (host.kind((pbp / name).string()) == EntryKind::File) byStat.push_back(name);
    std::vector<std::string> listed = host.listFiles(pbp.string());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, byStat);
    EXPECT_EQ(byStat, (std::vector<std::string>{"245-1.txt", "245-2.txt", "245-7.TXT"}));

    LeagueFolder league(host, drive_);
    std::vector<bool> first, later;
    for (int g = 1; g <= 8; ++g) first.push_back(league.exists("pbp\\245-" + std::to_string(g) + ".txt"));
    for (int i = 0; i < LeagueFolder::kStatsBeforeListing; ++i) league.exists("pbp\\245-1.txt");
    for (int g = 1; g <= 8; ++g) later.push_back(league.exists("pbp\\245-" + std::to_string(g) + ".txt"));
    EXPECT_EQ(first, (std::vector<bool>{true, true, false, false, false, false, false, false}));
    EXPECT_EQ(later, first);
#endif
}

// A season-sized folder: each entry gets its own stat, and the dangling
// link none; listed on another thread while this one tests its files (the
// ThreadSanitizer build runs this), the same.
TEST_F(HostLeague, TheStatsOfALargeFolderAreEachEntrysOwn) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links are POSIX's; the Windows listing is windows_file_system_test's";
#else
    fs::path pbp = leagueDir_ / "pbp";
    fs::create_directories(pbp / "1-1.txt");
    for (int g = 2; g <= 1200; ++g) std::ofstream(pbp / ("1-" + std::to_string(g) + ".txt")) << std::string(g, 'x');
    fs::create_symlink(pbp / "gone", pbp / "2-1.txt");
    FileSystem& host = hostFileSystem();
    std::vector<FileSystem::NamedStat> entries;
    ASSERT_TRUE(host.listStats(pbp.string(), entries));
    ASSERT_EQ(entries.size(), 1200u);
    for (const FileSystem::NamedStat& e : entries) {
        const FileStat one = host.stat((pbp / e.name).string());
        ASSERT_TRUE(sameFile(e.stat, one)) << e.name;
        if (e.name != "1-1.txt") EXPECT_EQ(e.stat.size, std::stoul(e.name.substr(2))) << e.name;
    }

    LeagueFolder league(host, drive_);
    league.prefetchStats("pbp");
    for (int g = 1; g <= 1200; g += 7) EXPECT_EQ(league.exists("pbp\\1-" + std::to_string(g) + ".txt"), g != 1) << g;
    for (const FileSystem::NamedStat& e : entries)
        ASSERT_TRUE(sameFile(league.stat("pbp\\" + e.name), e.stat)) << e.name;
    EXPECT_FALSE(league.stat("pbp\\2-1.txt").known);
#endif
}

// Stats taken aside before the folders are forgotten serve the first stat
// after; a file made since is not in them and is stat'ed on its own.
TEST_F(HostLeague, PrefetchedStatsServeAfterTheFoldersAreForgotten) {
    fs::path pbp = leagueDir_ / "pbp";
    fs::create_directories(pbp);
    std::ofstream(pbp / "245-1.txt") << "one";
    LeagueFolder league(hostFileSystem(), drive_);
    league.prefetchStats("pbp");
    league.forgetFolders();
    EXPECT_TRUE(sameFile(league.stat("pbp\\245-1.txt"), hostFileSystem().stat((pbp / "245-1.txt").string())));
    // Made once the stats are in: a file the listing may not meet half-written.
    std::ofstream(pbp / "245-2.txt") << "two!";
    EXPECT_EQ(league.stat("pbp\\245-2.txt").size, 4u);
    EXPECT_EQ(league.stat("pbp\\245-3.txt").kind, EntryKind::Missing);
}

// The names listed on another thread are those listFiles() gives, and they
// answer a handler's tests of the folder's files.
TEST_F(HostLeague, FilesListedAsideAreThoseListFilesGives) {
    fs::path pbp = leagueDir_ / "pbp";
    fs::create_directories(pbp / "245-2.txt");
    std::ofstream(pbp / "245-1.txt") << "one";
    std::ofstream(pbp / "245-3.txt") << "three";
    LeagueFolder league(hostFileSystem(), drive_);
    league.prefetchStats("pbp");
    EXPECT_EQ(league.stat("pbp\\245-2.txt").kind, EntryKind::Directory);
    EXPECT_TRUE(league.exists("pbp\\245-1.txt"));
    EXPECT_FALSE(league.exists("pbp\\245-2.txt"));
    EXPECT_FALSE(league.exists("pbp\\245-4.txt"));
    EXPECT_EQ(league.stat("pbp\\245-3.txt").size, 5u);
}

#ifndef _WIN32
std::size_t openDescriptors() {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}
#endif

TEST_F(HostLeague, APlayByPlayFileThatIsAFolderIsNoFile) {
#ifdef _WIN32
    GTEST_SKIP() << "counts open descriptors in /proc, which Windows lacks";
#else
    fs::create_directories(leagueDir_ / "pbp/245-1.txt");
    std::ofstream(leagueDir_ / "pbp/245-2.txt") << "Player of the Game: A - B\r\n";
    std::size_t before = openDescriptors();
    {
        LeagueFolder league(hostFileSystem(), drive_);
        EXPECT_EQ(league.openInputIfExists("pbp\\245-1.txt"), nullptr);
        EXPECT_EQ(league.openInputIfExists("pbp\\245-3.txt"), nullptr);
        auto found = league.openInputIfExists("pbp\\245-2.txt");
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->readLine(), "Player of the Game: A - B");
        EXPECT_EQ(testing::stopMessage([&] { league.openInput("pbp\\245-1.txt"); }),
                  "Permission denied: pbp\\245-1.txt");
    }
    EXPECT_EQ(openDescriptors(), before); // the refused folder was closed again
#endif
}

TEST_F(HostLeague, FilesOpenByNameInTheirHeldFolderAndEachHandlerHoldsItsOwn) {
#ifdef _WIN32
    GTEST_SKIP() << "held folder descriptors are the POSIX layer's; counted in /proc";
#else
    std::ofstream(leagueDir_ / "html/standings.htm") << "old\r\n";
    std::size_t before = openDescriptors();
    {
        LeagueFolder league(hostFileSystem(), drive_);
        EXPECT_EQ(league.openInput("html\\standings.htm")->readLine(), "old");
        EXPECT_EQ(testing::stopMessage([&] { league.openInput("html\\schedule.htm"); }),
                  "File not found: html\\schedule.htm");
        // The game writes its html folder anew between two handlers.
        fs::remove_all(leagueDir_ / "html");
        fs::create_directories(leagueDir_ / "html");
        std::ofstream(leagueDir_ / "html/standings.htm") << "new\r\n";
        league.forgetFolders();
        EXPECT_EQ(league.openInput("html\\standings.htm")->readLine(), "new");
        for (int handler = 0; handler < 50; ++handler) {
            league.forgetFolders();
            league.openOutput("teams.txt")->close();
            league.openInput("html\\standings.htm")->close();
        }
        EXPECT_LE(openDescriptors(), before + 2); // the two folders of the last handler
    }
    EXPECT_EQ(openDescriptors(), before);
#endif
}

TEST(DriveFolder, EnvironmentDecides) {
#ifdef _WIN32
    GTEST_SKIP() << "the POSIX drive; Windows finds its Public Documents folder (windows_file_system_test)";
#else
    ::setenv("VELLOR_DRIVE_C", "/x/drive", 1);
    EXPECT_EQ(driveFromEnvironment(), "/x/drive");
    ::setenv("VELLOR_DRIVE_C", "", 1);
    ::setenv("WINEPREFIX", "/home/c/.wine-league", 1);
    EXPECT_EQ(driveFromEnvironment(), "/home/c/.wine-league/drive_c");
    ::unsetenv("WINEPREFIX");
    ::setenv("HOME", "/home/c", 1);
    EXPECT_EQ(driveFromEnvironment(), "/home/c/.wine/drive_c");
    ::unsetenv("VELLOR_DRIVE_C");
#endif
}

} // namespace
} // namespace vr
