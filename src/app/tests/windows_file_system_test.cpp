// The Windows file layer on Windows semantics: sharing modes, attributes,
// UTF-16 names and long paths, in a real temporary folder.
#include "app/settings.h"
#include "app/stop_report.h"
#include "host/drive.h"
#include "host/windows_paths.h"
#include "league/league_folder.h"
#include "testsupport/generated_league.h"
#include "testsupport/memory_league.h"
#include "testsupport/temporary_folder.h"
#include "text/memory_file_system.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace vr {
namespace {

namespace fs = std::filesystem;

const char* const kBelowDrive = "Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen";

// What the user reads of the stop f ends with; "" when it ends none.
std::string reportOf(LeagueFolder& league, const std::function<void()>& f) {
    try {
        f();
    } catch (const Stop& s) {
        return stopReport(s, league);
    }
    return "";
}

class WindowsLeague : public ::testing::Test {
protected:
    void SetUp() override {
        drive_ = testing::makeTemporaryFolder("vr-windows");
        ASSERT_FALSE(drive_.empty());
        leagueDir_ = drive_ / kBelowDrive;
        fs::create_directories(leagueDir_ / "html");
    }
    void TearDown() override {
        std::error_code ignored;
        SetFileAttributesW((leagueDir_ / "teaminfo.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove_all(drive_, ignored);
    }

    // Another program's handle on a league file, sharing nothing.
    HANDLE holdWithoutSharing(const std::string& name) {
        return CreateFileW((leagueDir_ / name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }

    fs::path drive_;
    fs::path leagueDir_;
};

TEST_F(WindowsLeague, AFileHeldOpenByAnotherProgramIsPermissionDeniedSayingSo) {
    HANDLE other = holdWithoutSharing("TopResults.txt");
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    LeagueFolder league(hostFileSystem(), drive_.string());
    const std::string held = "\nAnother program holds the file open: close it there and start again.\n" +
                             std::string(kLeftAsTheyWere);
    EXPECT_EQ(reportOf(league, [&] { league.openOutput("TopResults.txt"); }),
              "Permission denied: TopResults.txt" + held);
    EXPECT_EQ(reportOf(league, [&] { league.openInput("TopResults.txt"); }),
              "Permission denied: TopResults.txt" + held);
    CloseHandle(other);
    // Once it is closed, the same file opens; a file we write stays readable
    // for others meanwhile (a browser looking at the page).
    auto out = league.openOutput("TopResults.txt");
    out->line("1");
    std::ifstream look(leagueDir_ / "TopResults.txt", std::ios::binary);
    EXPECT_TRUE(look.is_open());
    out->close();
}

TEST_F(WindowsLeague, InputIsReadWhileTheGameHoldsItOpenForWriting) {
    std::ofstream(leagueDir_ / "teams.txt", std::ios::binary) << "Alder Creek\r\n";
    HANDLE game = CreateFileW((leagueDir_ / "teams.txt").c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(game, INVALID_HANDLE_VALUE);
    LeagueFolder league(hostFileSystem(), drive_.string());
    auto in = league.openInput("teams.txt");
    EXPECT_EQ(in->readLine(), "Alder Creek");
    in->close();
    CloseHandle(game);
}

TEST_F(WindowsLeague, StopKindsOfMissingFilesFoldersAndReadOnlyFiles) {
    LeagueFolder league(hostFileSystem(), drive_.string());
    EXPECT_EQ(testing::stopMessage([&] { league.openInput("html\\standings.htm"); }),
              "File not found: html\\standings.htm");
    EXPECT_EQ(testing::stopMessage([&] { league.openInput("html\\rosters\\roster1.htm"); }),
              "Path not found: html\\rosters\\roster1.htm");
    // A folder where a file belongs.
    fs::create_directories(leagueDir_ / "Test.txt");
    EXPECT_EQ(testing::stopMessage([&] { league.openOutput("Test.txt"); }), "Permission denied: Test.txt");
    EXPECT_EQ(testing::stopMessage([&] { league.openInput("Test.txt"); }), "Permission denied: Test.txt");
    EXPECT_FALSE(league.exists("Test.txt"));
    EXPECT_EQ(league.openInputIfExists("Test.txt"), nullptr);
    // A file where a folder belongs.
    std::ofstream(leagueDir_ / "pbp") << "not a folder";
    EXPECT_EQ(testing::stopMessage([&] { league.openInput("pbp\\245-1.txt"); }), "Path not found: pbp\\245-1.txt");
    // A read-only file is read, not written.
    std::ofstream(leagueDir_ / "teaminfo.txt", std::ios::binary) << "x\r\n";
    ASSERT_TRUE(SetFileAttributesW((leagueDir_ / "teaminfo.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(testing::stopMessage([&] { league.openOutput("teaminfo.txt"); }), "Permission denied: teaminfo.txt");
    EXPECT_EQ(testing::stopMessage([&] { league.openAppend("teaminfo.txt"); }), "Permission denied: teaminfo.txt");
    EXPECT_EQ(league.openInput("teaminfo.txt")->readLine(), "x");
}

TEST_F(WindowsLeague, AppendWritesAtTheEnd) {
    std::ofstream(leagueDir_ / "record.txt", std::ios::binary) << "one\r\n";
    LeagueFolder league(hostFileSystem(), drive_.string());
    auto out = league.openAppend("record.txt");
    out->line("two");
    out->close();
    EXPECT_EQ(testing::readBytes(leagueDir_ / "record.txt"), "one\r\ntwo\r\n");
}

TEST_F(WindowsLeague, TheSettingsAreReplacedInOneStepOrNotAtAll) {
    LeagueFolder league(hostFileSystem(), drive_.string());
    saveSettings(league, Settings{"http://a.example/", "first"});
    saveSettings(league, Settings{"http://b.example/", "second"});
    EXPECT_EQ(testing::readBytes(leagueDir_ / "settings2.txt"), "http://b.example/\r\nsecond\r\n");
    EXPECT_FALSE(fs::exists(leagueDir_ / "settings2.txt.new"));

    // Held open by an editor: the save stops, the old lines stay, no twin is left.
    HANDLE editor = holdWithoutSharing("settings2.txt");
    ASSERT_NE(editor, INVALID_HANDLE_VALUE);
    EXPECT_EQ(reportOf(league, [&] { saveSettings(league, Settings{"http://c.example/", ""}); }),
              "Permission denied: settings2.txt\n"
              "Another program holds the file open: close it there and start again.\n" +
                  std::string(kLeftAsTheyWere));
    CloseHandle(editor);
    EXPECT_EQ(testing::readBytes(leagueDir_ / "settings2.txt"), "http://b.example/\r\nsecond\r\n");
    EXPECT_FALSE(fs::exists(leagueDir_ / "settings2.txt.new"));
}

TEST_F(WindowsLeague, NamesHoldingWindows1252BytesRoundTripThroughUtf16) {
    // "Corvélle €" in the code page: é is 0xE9, € is 0x80.
    const std::string name = "Corv\xE9lle \x80.txt";
    LeagueFolder league(hostFileSystem(), drive_.string());
    auto out = league.openOutput(name);
    out->line("x");
    out->close();
    EXPECT_TRUE(fs::exists(leagueDir_ / L"Corv\u00E9lle \u20AC.txt"));
    EXPECT_TRUE(league.exists(name));
    std::vector<std::string> names = hostFileSystem().list(leagueDir_.string());
    ASSERT_EQ(names.size(), 2u); // html and the file
    EXPECT_EQ(names[0], name);
    EXPECT_EQ(league.openInput(name)->readLine(), "x");
}

TEST_F(WindowsLeague, PathsLongerThanMaxPathWork) {
    LeagueFolder league(hostFileSystem(), drive_.string());
    std::string folder = league.hostPath("x");
    folder.pop_back();
    while (folder.size() < 400) folder += "a-folder-name-of-some-length\\";
    folder.pop_back();
    FileSystem& host = hostFileSystem();
    ASSERT_TRUE(host.makeFolders(folder));
    EXPECT_EQ(host.kind(folder), EntryKind::Directory);
    const std::string file = folder + "\\245-1.txt";
    FileSystem::Handle h = host.open(file, OpenMode::Output);
    host.write(h, "abc", 3);
    host.flush(h);
    host.close(h);
    FileStat st = host.stat(file);
    EXPECT_EQ(st.kind, EntryKind::File);
    EXPECT_TRUE(st.known);
    EXPECT_EQ(st.size, 3u);
    EXPECT_EQ(host.listFiles(folder), std::vector<std::string>{"245-1.txt"});
    char buffer[8];
    h = host.open(file, OpenMode::Input);
    EXPECT_EQ(host.read(h, buffer, sizeof buffer), 3u);
    EXPECT_EQ(host.read(h, buffer, sizeof buffer), 0u);
    host.close(h);
    host.remove(file);
    EXPECT_EQ(host.kind(file), EntryKind::Missing);
    // Taken down again through the same long form (the library's own
    // folder walk stops at MAX_PATH).
    while (folder.size() > leagueDir_.string().size()) {
        EXPECT_TRUE(RemoveDirectoryW(systemPath(folder).c_str()));
        folder.erase(folder.find_last_of('\\'));
    }
}

TEST_F(WindowsLeague, StatTellsAReplacedFileFromTheSameOne) {
    std::ofstream(leagueDir_ / "a.txt", std::ios::binary) << "same";
    FileSystem& host = hostFileSystem();
    const std::string a = (leagueDir_ / "a.txt").string();
    FileStat first = host.stat(a);
    EXPECT_TRUE(first.known);
    EXPECT_TRUE(sameFile(first, host.stat(a)));
    std::ofstream(leagueDir_ / "b.txt", std::ios::binary) << "same";
    fs::rename(leagueDir_ / "b.txt", leagueDir_ / "a.txt");
    testing::setModifiedTime(leagueDir_ / "a.txt", testing::modifiedTime(leagueDir_ / "html"));
    EXPECT_FALSE(sameFile(first, host.stat(a)));
    EXPECT_EQ(host.stat((leagueDir_ / "html").string()).kind, EntryKind::Directory);
    EXPECT_EQ(host.stat((leagueDir_ / "gone.txt").string()).kind, EntryKind::Missing);
}

TEST_F(WindowsLeague, AListingGivesTheStatsAStatWouldAndReplacingIsCheckedFirst) {
    std::ofstream(leagueDir_ / "a.txt", std::ios::binary) << "abc";
    std::ofstream(leagueDir_ / L"Corv\u00E9lle.txt", std::ios::binary) << "";
    FileSystem& host = hostFileSystem();
    std::vector<FileSystem::NamedStat> entries;
    ASSERT_TRUE(host.listStats(leagueDir_.string(), entries));
    ASSERT_EQ(entries.size(), 3u);
    for (const FileSystem::NamedStat& e : entries)
        EXPECT_TRUE(sameFile(e.stat, host.stat(leagueDir_.string() + "\\" + e.name))) << e.name;

    const std::string a = (leagueDir_ / "a.txt").string();
    host.checkReplaceable(a);
    host.checkReplaceable((leagueDir_ / "gone.txt").string());
    EXPECT_EQ(testing::stopMessage([&] { host.checkReplaceable((leagueDir_ / "html").string()); }), "Permission denied");
    HANDLE other = holdWithoutSharing("a.txt");
    try {
        host.checkReplaceable(a);
        ADD_FAILURE() << "a file held open without sharing passed";
    } catch (const Stop& s) {
        EXPECT_EQ(s.note(), "Another program holds the file open: close it there and start again.");
    }
    CloseHandle(other);
    ASSERT_TRUE(SetFileAttributesW((leagueDir_ / "a.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(testing::stopMessage([&] { host.checkReplaceable(a); }), "Permission denied");
    SetFileAttributesW((leagueDir_ / "a.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WindowsLeague, OneRunAtATimeHoldsTheLeagueFolder) {
    FileSystem& host = hostFileSystem();
    FileSystem::Lock first = FileSystem::kNoLock, second = FileSystem::kNoLock;
    ASSERT_TRUE(host.lockFolder(leagueDir_.string(), 0, first));
    EXPECT_NE(first, FileSystem::kNoLock);
    // The same folder however it is spelt, in this process as in another.
    std::string upper = leagueDir_.string();
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_FALSE(host.lockFolder(upper, 50, second));
    host.unlockFolder(first);
    ASSERT_TRUE(host.lockFolder(upper + "\\", 0, second));
    EXPECT_NE(second, FileSystem::kNoLock);
    host.unlockFolder(second);
}

TEST(WindowsDrive, TheLeagueIsInPublicDocumentsUnlessVellorDriveCNamesAnother) {
    SetEnvironmentVariableW(L"VELLOR_DRIVE_C", nullptr);
    LeaguePlace place(driveFromEnvironment(), documentsFromEnvironment());
    PWSTR documents = nullptr;
    ASSERT_EQ(SHGetKnownFolderPath(FOLDERID_PublicDocuments, 0, nullptr, &documents), S_OK);
    EXPECT_EQ(place.documents, fs::path(documents).string());
    CoTaskMemFree(documents);

    MemoryFileSystem empty;
    LeagueFolder league(empty, place);
    EXPECT_EQ(reportOf(league, [&] { league.openInput("leaguesettings.txt"); }),
              "Path not found: there is no league folder at " + place.documents +
                  "\\GDS\\Fast Break College Basketball 2010\\leaguedata\\Marrowdeen (in the Public Documents "
                  "folder). Start the game and open the league once so that it exports its pages there, or set "
                  "VELLOR_DRIVE_C to the folder that stands for C:\\ of a league copied elsewhere.\n" +
                  std::string(kLeftAsTheyWere));

    SetEnvironmentVariableW(L"VELLOR_DRIVE_C", L"D:\\copies\\league");
    place = LeaguePlace(driveFromEnvironment(), documentsFromEnvironment());
    EXPECT_EQ(place.drive, "D:\\copies\\league");
    EXPECT_EQ(place.documents, "");
    LeagueFolder copied(empty, place);
    EXPECT_EQ(reportOf(copied, [&] { copied.openInput("leaguesettings.txt"); }),
              "Path not found: there is no league folder at D:\\copies\\league\\Users\\Public"
              "\\Documents\\GDS\\Fast Break College Basketball 2010\\leaguedata\\Marrowdeen (VELLOR_DRIVE_C gives "
              "D:\\copies\\league as drive C:). Set VELLOR_DRIVE_C to the folder that stands for C:\\ (the one "
              "holding Users), or clear it to use the Public Documents folder.\n" +
                  std::string(kLeftAsTheyWere));
    SetEnvironmentVariableW(L"VELLOR_DRIVE_C", nullptr);
}

} // namespace
} // namespace vr
