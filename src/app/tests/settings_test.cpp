#include "app/settings.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

namespace vr {
namespace {

using testing::MemoryLeague;

TEST(LeagueSettings, CreatedWhenMissingAndNeverTouchedAfter) {
    MemoryLeague m;
    ensureLeagueSettings(m.league);
    std::string twenty;
    for (int i = 0; i < 20; ++i) twenty += " 0 \r\n";
    EXPECT_EQ(m.get("leaguesettings.txt"), twenty);
    m.put("leaguesettings.txt", "whatever");
    ensureLeagueSettings(m.league);
    EXPECT_EQ(m.get("leaguesettings.txt"), "whatever");
}

TEST(Settings, FirstStartWritesTheDefaults) {
    MemoryLeague m;
    Settings s = loadSettings(m.league);
    EXPECT_EQ(s.website, "http://www.marrowdeen.example/");
    EXPECT_EQ(s.message, "");
    EXPECT_EQ(m.get("settings2.txt"), "http://www.marrowdeen.example/\r\n\r\n");
}

TEST(Settings, CommasAndQuotesSurviveTheRoundTrip) {
    MemoryLeague m;
    saveSettings(m.league, Settings{"http://a.example/?x=1,2", "Games, \"all\" of them"});
    EXPECT_EQ(m.get("settings2.txt"), "http://a.example/?x=1,2\r\nGames, \"all\" of them\r\n");
    Settings s = loadSettings(m.league);
    EXPECT_EQ(s.website, "http://a.example/?x=1,2");
    EXPECT_EQ(s.message, "Games, \"all\" of them");
}

TEST(Settings, ShortFilesReadAsEmptyLines) {
    MemoryLeague m;
    m.put("settings2.txt", "");
    Settings s = loadSettings(m.league);
    EXPECT_EQ(s.website, "");
    EXPECT_EQ(s.message, "");
    m.put("settings2.txt", "http://only.example/");
    s = loadSettings(m.league);
    EXPECT_EQ(s.website, "http://only.example/");
    EXPECT_EQ(s.message, "");
    EXPECT_EQ(m.get("settings2.txt"), "http://only.example/"); // read, not rewritten
}

TEST(Settings, PastedLineEndsBecomeSpaces) {
    MemoryLeague m;
    saveSettings(m.league, Settings{"a\r\nb", "c\nd"});
    EXPECT_EQ(m.get("settings2.txt"), "a  b\r\nc d\r\n");
}

TEST(Settings, AFailedSaveKeepsTheOldLinesAndNamesTheSettingsFile) {
    for (long n = 1; n <= 5; ++n) { // open, write, flush, close of the new file, the rename
        MemoryLeague m;
        saveSettings(m.league, Settings{"old site", "old message"});
        m.fs.failAt(m.fs.operations() + n, StopKind::DeviceIOError);
        EXPECT_EQ(testing::stopMessage([&] { saveSettings(m.league, Settings{"new", "lines"}); }),
                  "Device I/O error: settings2.txt");
        EXPECT_EQ(m.get("settings2.txt"), "old site\r\nold message\r\n");
        EXPECT_FALSE(m.has("settings2.txt.new"));
    }
}

TEST(Settings, AnInterruptedFirstStartLeavesNoHalfWrittenFile) {
    for (long n = 1; n <= 5; ++n) {
        MemoryLeague m;
        m.fs.failAt(n, StopKind::DeviceIOError);
        EXPECT_EQ(testing::stopMessage([&] { loadSettings(m.league); }), "Device I/O error: settings2.txt");
        // Not an empty file that the next start would read as the settings.
        EXPECT_FALSE(m.has("settings2.txt"));
        EXPECT_FALSE(m.has("settings2.txt.new"));
        EXPECT_EQ(loadSettings(m.league).website, "http://www.marrowdeen.example/");
    }
}

TEST(Settings, ARefusedSaveIsPermissionDenied) {
    MemoryLeague m;
    m.fs.protect(testing::leaguePath("settings2.txt.new"));
    EXPECT_EQ(testing::stopMessage([&] { saveSettings(m.league, Settings{"a", "b"}); }),
              "Permission denied: settings2.txt");
}

TEST(Settings, AReadOnlyFolderKeepsTheOldLines) {
    MemoryLeague m;
    saveSettings(m.league, Settings{"old site", "old message"});
    m.fs.protectFolder(testing::kLeague);
    EXPECT_EQ(testing::stopMessage([&] { saveSettings(m.league, Settings{"a", "b"}); }),
              "Permission denied: settings2.txt");
    EXPECT_EQ(m.get("settings2.txt"), "old site\r\nold message\r\n");
}

} // namespace
} // namespace vr
