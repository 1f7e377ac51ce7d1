#include "snapshot/period_probe.h"

#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

namespace vr {
namespace {

using testing::MemoryLeague;
using Lines = std::vector<std::string>;

struct Probe {
    MemoryLeague m;
    DayTable days;

    void games(int day, std::initializer_list<int> numbers) {
        for (int g : numbers) m.put("pbp\\" + std::to_string(day) + "-" + std::to_string(g) + ".txt", "x");
    }
    void gamesUpTo(int day, int last) {
        for (int g = 1; g <= last; ++g) games(day, {g});
    }
    // Probes and writes schedfile.txt; returns its lines.
    Lines run() {
        probeSimulatedDays(m.league, days);
        auto out = m.league.openOutput("schedfile.txt");
        writeSchedFile(days, *out);
        out->close();
        return m.lines("schedfile.txt");
    }
};

TEST(PeriodProbe, DayGapsAndAGameNumberGap) {
    Probe p;
    p.games(245, {1, 2, 3, 5}); // the gap at 4 ends the count
    p.games(246, {2, 3});       // no game 1: no day
    p.games(247, {1});
    EXPECT_EQ(p.run(), (Lines{"Day  245 ", "    1 ", "    2 ", "    3 ", "Day  246 ", "Day  247 ", "    1 "}));
    EXPECT_EQ(p.days.firstDay, 245);
    EXPECT_EQ(p.days.lastDay, 247);
    EXPECT_EQ(p.days.games(245), 3);
    EXPECT_EQ(p.days.games(246), 0);
    EXPECT_EQ(p.days.games(247), 1);
    EXPECT_EQ(p.m.get("schedfile.txt").substr(0, 17), "Day  245 \r\n    1 ");
}

TEST(PeriodProbe, ADayCountsAtMost300Games) {
    Probe p;
    p.gamesUpTo(250, 301);
    Lines sched = p.run();
    EXPECT_EQ(p.days.games(250), 300);
    ASSERT_EQ(sched.size(), 301u);
    EXPECT_EQ(sched.back(), "    300 ");
}

TEST(PeriodProbe, OnlyDays200To400AreProbedAndDaysPast365AreKept) {
    Probe p;
    p.games(199, {1});
    p.games(200, {1, 2});
    p.gamesUpTo(380, 4); // a postseason day
    p.games(400, {1});
    p.games(401, {1});
    Lines sched = p.run();
    EXPECT_EQ(p.days.firstDay, 200);
    EXPECT_EQ(p.days.lastDay, 400);
    EXPECT_EQ(p.days.games(199), 0);
    EXPECT_EQ(p.days.games(200), 2);
    EXPECT_EQ(p.days.games(380), 4);
    EXPECT_EQ(p.days.games(400), 1);
    EXPECT_EQ(p.days.games(401), 0);
    // Every day of the range has its day line: 201 days, 7 games.
    ASSERT_EQ(sched.size(), 208u);
    EXPECT_EQ(sched.front(), "Day  200 ");
    EXPECT_EQ(sched[sched.size() - 2], "Day  400 ");
    EXPECT_EQ(sched.back(), "    1 ");
}

TEST(PeriodProbe, NoDayFoundLeavesTheTableUnsetAndSchedfileEmpty) {
    Probe noFolder; // a missing pbp folder is no failure
    EXPECT_EQ(noFolder.run(), Lines{});
    EXPECT_FALSE(noFolder.days.firstDay);
    EXPECT_FALSE(noFolder.days.lastDay);
    EXPECT_TRUE(noFolder.m.has("schedfile.txt"));

    Probe outside;
    outside.games(150, {1});
    outside.games(420, {1});
    outside.m.put("pbp\\245-1.TXT", "x"); // names are compared exactly
    EXPECT_EQ(outside.run(), Lines{});
    EXPECT_FALSE(outside.days.lastDay);
}

TEST(PeriodProbe, ProbesByExistenceTestsOnlyAndOpensNoFile) {
    Probe p;
    p.games(245, {1, 2, 3, 5});
    p.games(247, {1});
    p.gamesUpTo(250, 301);
    p.m.league.hostPath("pbp\\245-1.txt"); // the folder is looked up once per load
    MemoryFileSystem& fs = p.m.fs;
    long queries = fs.kindQueries(), listings = fs.listings(), operations = fs.operations();

    probeSimulatedDays(p.m.league, p.days);

    // 201 day tests and per found day one test per further game and one
    // for the missing game after them (none after game 300): after the
    // first few, one listing of the folder answers them.
    EXPECT_EQ(p.days.games(245), 3);
    EXPECT_EQ(p.days.games(250), 300);
    EXPECT_EQ(fs.listings() - listings, 1);
    long files = 4 + 1 + 301; // the listing asks the kind of each entry
    EXPECT_EQ(fs.kindQueries() - queries, LeagueFolder::kStatsBeforeListing + files);
    EXPECT_EQ(fs.operations(), operations); // no open, read or close
}

} // namespace
} // namespace vr
