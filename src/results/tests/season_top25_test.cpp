// The top-25 and upset lists: which games are ranked, the two RPI numbers,
// and the team numbers that stop the run.
#include "results/top25_lists.h"
#include "season_fixture.h"

#include <gtest/gtest.h>

namespace vr::season {
namespace {

TEST(Top25Lists, ExampleLines) {
    SeasonLeague s;
    s.team(1, "5", "12");
    s.team(2, "NR", "40");
    s.schedule({game(245, 3, 1, 2)});
    s.run();
    EXPECT_EQ(s.m.get("TopResults.txt"), "245,3, 52 , 28 \r\n");
    EXPECT_EQ(s.m.get("Upsets.txt"), "245,3\r\n");
}

TEST(Top25Lists, PollRanksAreReadStrictly) {
    for (const char* rank : {"1", "25", "5 ", " 5", "25.5", "0.5"}) EXPECT_TRUE(isRanked(rank)) << rank;
    for (const char* rank : {"NR", "", "0", "26", "#5", "5th", "5</b>", "-3", "2 5"})
        EXPECT_FALSE(isRanked(rank)) << rank;
}

TEST(Top25Lists, EitherTeamRankedMakesARankedGame) {
    SeasonLeague s;
    s.team(1, "25", "3");
    s.team(2, "NR", "NR");
    s.team(3, "26", "30");
    s.team(4, "30", "31");
    s.team(5, "1", "1");
    s.schedule({game(240, 1, 1, 2), game(240, 2, 3, 4), game(240, 3, 2, 5), game(240, 4, 2, 3),
                game(240, 5, 5, 1)});
    s.run();
    EXPECT_EQ(s.topResults(), (std::vector<std::string>{"240,1, 3 , 3 ", "240,3, 1 , 1 ", "240,5, 4 , 2 "}));
    EXPECT_EQ(s.upsets(), (std::vector<std::string>{"240,1", "240,3", "240,5"}));
}

TEST(Top25Lists, RpiRanksCountByTheirLeadingNumber) {
    SeasonLeague s;
    s.team(1, "3", "NR");
    s.team(2, "NR", "30");
    s.team(3, "4", " 12.5 (up)");
    s.team(4, "NR", "");
    s.schedule({game(245, 3, 1, 2), game(245, 4, 3, 4)});
    s.run();
    EXPECT_EQ(s.topResults(), (std::vector<std::string>{"245,3, 30 , 30 ", "245,4, 12.5 , 12.5 "}));
}

TEST(Top25Lists, DayAndNumberAreWrittenAsCut) {
    SeasonLeague s;
    s.team(1, "5", "12");
    Row r = game(0, 0, 1, 2);
    r.result = resultCell("./boxes/box0245-03.htm", "78-65");
    s.schedule({r});
    s.run();
    EXPECT_EQ(s.topResults(), (std::vector<std::string>{"0245,03, 12 , 12 "}));
    EXPECT_EQ(s.upsets(), (std::vector<std::string>{"0245,03"}));
}

TEST(Top25Lists, ATeamWithoutAProfileIsUnranked) {
    SeasonLeague s;
    s.team(1, "NR", "40");
    s.team(2, "7", "9");
    s.schedule({game(245, 1, 1, 900), game(245, 2, 900, 2)});
    s.run();
    EXPECT_EQ(s.topResults(), (std::vector<std::string>{"245,2, 9 , 9 "}));
}

TEST(Top25Lists, BadTeamNumbersStopAtTheirCellTeamOneFirst) {
    auto stop = [](const std::string& link1, const std::string& link2) {
        SeasonLeague s;
        s.team(1, "5", "12");
        Row bad = game(245, 4, 1, 2);
        bad.team1 = teamCell(link1, "One");
        bad.team2 = teamCell(link2, "Two");
        s.schedule({game(245, 3, 1, 2), bad});
        std::string message = s.runStopPlace();
        // What reached the files before the stop stays there.
        EXPECT_EQ(s.topResults(), (std::vector<std::string>{"245,3, 12 , 12 "}));
        EXPECT_EQ(s.records(), 1u);
        return message;
    };
    const std::string ok = "rosters/roster2.htm";
    EXPECT_EQ(stop("rosters/roster5001.htm", ok), pageStop("Subscript out of range", team1Line(1)));
    EXPECT_EQ(stop("rosters/roster-1.htm", ok), pageStop("Subscript out of range", team1Line(1)));
    EXPECT_EQ(stop("rosters/roster1x.htm", ok), pageStop("Type mismatch", team1Line(1)));
    // Without an "r" the whole shortened link is the team number.
    EXPECT_EQ(stop("teams/team12.htm", ok), pageStop("Type mismatch", team1Line(1)));
    EXPECT_EQ(stop(ok, "rosters/roster.htm"), pageStop("Type mismatch", team2Line(1)));
    EXPECT_EQ(stop(ok, "rosters/roster99999.htm"), pageStop("Subscript out of range", team2Line(1)));
    EXPECT_EQ(stop("rosters/roster5001.htm", "rosters/rosterX.htm"),
              pageStop("Subscript out of range", team1Line(1)));
}

TEST(Top25Lists, TeamNumbersAreCheckedForUnrankedGamesToo) {
    SeasonLeague s;
    Row bad = game(245, 4, 1, 2);
    bad.team2 = teamCell("rosters/roster5001.htm", "Far Away");
    s.schedule({bad});
    EXPECT_EQ(s.runStop(), pageStop("Subscript out of range", team2Line(0)) +
                               ": the team number '5001' of the roster link 'rosters/roster5001.htm' is not within "
                               "0 to 5000");
    EXPECT_EQ(s.m.get("Test.txt"), "");
}

} // namespace
} // namespace vr::season
