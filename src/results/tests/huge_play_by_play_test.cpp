// A play-by-play file of 1 GB (sparse: a line end every megabyte, the player
// of the game at the very end) is searched through without being held: the
// peak resident memory grows by a line and a block, not by the file. Run on
// demand, as it reads a gigabyte: VR_HUGE_FILES=1.
#include "results/player_of_the_game.h"

#include "testsupport/process_memory.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace vr {
namespace {

namespace fs = std::filesystem;

using testing::statusBytes;

TEST(HugePlayByPlay, AGigabyteFileIsSearchedWithoutBeingHeld) {
    const char* wanted = std::getenv("VR_HUGE_FILES");
    if (!wanted || std::string(wanted) != "1") GTEST_SKIP() << "reads 1 GB: set VR_HUGE_FILES=1";
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "memory is measured without AddressSanitizer";
#endif
#ifdef _WIN32
    GTEST_SKIP() << "measures memory through /proc/self and makes the file with POSIX calls: Linux only";
#else
    char pattern[] = "/tmp/vr-huge-pbp-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const fs::path drive = pattern;
    const fs::path league =
        drive / "Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen";
    fs::create_directories(league / "pbp");

    // Holes of zero bytes, a line end at the end of each megabyte, the label
    // line last.
    const off_t kMegabyte = 1 << 20, kSize = off_t(1) << 30;
    const std::string label = "Player of the Game: Tom Baker - North Ridge\r\n";
    int fd = ::open((league / "pbp/245-3.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    for (off_t at = kMegabyte - 1; at < kSize; at += kMegabyte) ASSERT_EQ(::pwrite(fd, "\n", 1, at), 1);
    ASSERT_EQ(::pwrite(fd, label.data(), label.size(), kSize), static_cast<ssize_t>(label.size()));
    ::close(fd);

    LeagueFolder folder(hostFileSystem(), drive.string());
    GameEntry entry;
    GameInHand game{"245", "3", 245, 3, entry, "html\\leagueschedule.htm", 12, 13};
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusBytes("VmRSS");
    lookUpPlayerOfTheGame(folder, game);
    const long growth = statusBytes("VmHWM") - before;
    fs::remove_all(drive);

    EXPECT_EQ(entry.playerOfTheGame(), "Tom Baker");
    EXPECT_EQ(entry.playerOfTheGameTeam(), "North Ridge");
    EXPECT_LE(growth, kMegabyte + 64 * 1024 + 1024 * 1024); // a line, a block, some slack
#endif
}

} // namespace
} // namespace vr
