// The snapshot as the window load takes it: the team list, the profiles and
// the simulated days in their order, and what the window shows afterwards.
#include "app/run_sequences.h"

#include "snapshot/tests/roster_page.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

namespace vr {
namespace {

using testing::FakeWindow;
using testing::MemoryLeague;
using testing::RosterPage;
using testing::stopMessage;
using Lines = std::vector<std::string>;

std::string standingsLine(const std::string& name) {
    return "       <td class=main align=left>&nbsp;<a class=link href=rosters/roster.htm>" + name + "</a></td>";
}

struct Load {
    MemoryLeague m;
    FakeWindow window;
    LeagueState state;

    Load() {
        m.putLines("html\\standings.htm",
                   {"<table>", standingsLine("Alder State"), standingsLine("Brookhaven"), "</html>"});
        m.putLines("html\\rosters\\roster1.htm", RosterPage{}.lines());
        RosterPage second;
        second.name = "Brookhaven";
        second.record = "Record: 3 - 14";
        m.putLines("html\\rosters\\roster2.htm", second.lines());
    }
    void games(int day, int count) {
        for (int g = 1; g <= count; ++g) m.put("pbp\\" + std::to_string(day) + "-" + std::to_string(g) + ".txt", "");
    }
    std::string run() {
        return stopMessage([&] { windowLoad(m.league, window, state); });
    }
};

TEST(SnapshotLoad, WritesTheThreeListsAndShowsTheLastDayAndThree) {
    Load load;
    load.games(245, 2);
    load.games(247, 1);
    EXPECT_EQ(load.run(), "");
    EXPECT_EQ(load.m.lines("teams.txt"), (Lines{"Alder State", "Brookhaven"}));
    EXPECT_EQ(load.m.lines("teaminfo.txt"),
              (Lines{" 1 ,Alder State,12-5,#C41E3A,#FFFFFF, 7, 12,alderstate.gif",
                     " 2 ,Brookhaven,3-14,#C41E3A,#FFFFFF, 7, 12,alderstate.gif"}));
    EXPECT_EQ(load.m.lines("schedfile.txt"),
              (Lines{"Day  245 ", "    1 ", "    2 ", "Day  246 ", "Day  247 ", "    1 "}));
    EXPECT_EQ(load.window.text(TextBox::LastDay), "247");
    EXPECT_EQ(load.window.text(TextBox::DaysSimmed), "3");
    EXPECT_EQ(load.state.teams.at(2).teamRecord, "3-14");
    EXPECT_EQ(load.state.days.games(245), 2);
    EXPECT_EQ(load.m.fs.openHandles(), 0);
}

TEST(SnapshotLoad, NoSimulatedDayLeavesTheLastDayEmpty) {
    Load load;
    EXPECT_EQ(load.run(), "");
    EXPECT_EQ(load.window.texts.count(TextBox::LastDay), 0u);
    EXPECT_EQ(load.m.get("schedfile.txt"), "");
    EXPECT_EQ(load.window.text(TextBox::DaysSimmed), "3");
}

TEST(SnapshotLoad, AStopInTheProfilesEndsTheLoadBeforeTheDaysAreProbed) {
    Load load;
    load.games(245, 1);
    load.m.fs.removeFile(testing::leaguePath("html\\rosters\\roster2.htm"));
    EXPECT_EQ(load.run(), "File not found: html\\rosters\\roster2.htm");
    // The load's lists are published together or not at all.
    EXPECT_FALSE(load.m.has("teams.txt") || load.m.has("teaminfo.txt") || load.m.has("schedfile.txt"));
    EXPECT_FALSE(load.m.has("teams.txt.new") || load.m.has("teaminfo.txt.new"));
    EXPECT_EQ(load.window.text(TextBox::LastDay), "");
    EXPECT_EQ(load.window.text(TextBox::DaysSimmed), "");
    EXPECT_EQ(load.m.fs.openHandles(), 0);
}

} // namespace
} // namespace vr
