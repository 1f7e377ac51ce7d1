// The game record: the worked example byte for byte, the top 25 game flag
// and the run's RPI line.
#include "season_fixture.h"

#include <gtest/gtest.h>

namespace vr::season {
namespace {

TEST(GameRecord, ExampleRecordByteForByte) {
    SeasonLeague s;
    s.team(12, "5", "10");
    s.team(7, "NR", "47");
    s.schedule({exampleRow()});
    s.pbp(245, 3, "Player of the Game: Tom Baker - North Ridge");
    s.run();
    EXPECT_EQ(s.m.get("Test.txt"), testing::crlf({
                                       "GameDay:245",
                                       "Game Number:3",
                                       "Game Date:11/14/2009",
                                       "Boxscore Link:./boxes/box245-3.htm",
                                       "Team #1 Number:12",
                                       "Team #1 Poll Rank:5",
                                       "Team #1 RPI Rank:10",
                                       "Team #1 Name:North Ridge",
                                       "Team #1 Roster Link:rosters/roster12.htm",
                                       "Team #1 Score:78",
                                       "Team #2 Number:7",
                                       "Team #2 Poll Rank:NR",
                                       "Team #2 RPI Rank:47",
                                       "Team #2 Name:Lake City",
                                       "Team #2 Roster Link:rosters/roster7.htm",
                                       "Team #2 Score:65",
                                       "Game MVP:Tom Baker, North Ridge",
                                       "Top 25 Game:NO",
                                       " 57 " + std::string(10, ' ') + " 37 ",
                                       kRule,
                                   }));
    EXPECT_EQ(s.games.at(245, 3).top25GameFlag(), "NO");
}

TEST(GameRecord, RpiLineIsEmptyUntilTheRunsFirstRankedGameThenRepeats) {
    SeasonLeague s;
    s.team(1, "NR", "50");
    s.team(2, "NR", "60");
    s.team(3, "4", "10");
    s.team(4, "9", "0");
    s.schedule({game(240, 1, 1, 2), game(240, 2, 3, 1), game(240, 3, 2, 1), game(240, 4, 4, 2),
                game(240, 5, 1, 2)});
    s.run();
    ASSERT_EQ(s.records(), 5u);
    EXPECT_EQ(s.record(0, 19), std::string(14, ' '));
    const std::string gap(10, ' ');
    EXPECT_EQ(s.record(1, 19), " 60 " + gap + " 40 ");
    EXPECT_EQ(s.record(2, 19), " 60 " + gap + " 40 ");
    // A ranked game whose numbers are 0 writes them; 0 is not empty.
    EXPECT_EQ(s.record(3, 19), " 60 " + gap + " 60 ");
    EXPECT_EQ(s.record(4, 19), " 60 " + gap + " 60 ");
    EXPECT_EQ(s.record(0, 20), kRule);

    // A new run starts empty again.
    s.schedule({game(240, 1, 1, 2)});
    s.run();
    EXPECT_EQ(s.record(0, 19), std::string(14, ' '));
}

TEST(GameRecord, RpiLineWithZeroCombined) {
    SeasonLeague s;
    s.team(1, "3", "NR");
    s.team(2, "NR", "NR");
    s.schedule({game(240, 1, 1, 2)});
    s.run();
    EXPECT_EQ(s.record(0, 19), " 0 " + std::string(11, ' ') + " 0 ");
}

TEST(GameRecord, FlagIsYesWhenNeitherPollRankIsNR) {
    SeasonLeague s;
    s.team(1, "3", "5");
    s.team(2, "NR", "40");
    s.team(3, "26", "30");
    s.team(4, "30", "31");
    s.team(5, "nr", "50");
    s.schedule({game(240, 1, 1, 2), game(240, 2, 3, 4), game(240, 3, 5, 3), game(240, 4, 1, 900),
                game(240, 5, 900, 2)});
    s.run();
    EXPECT_EQ(s.record(0, 18), "Top 25 Game:NO");  // ranked, but one team "NR"
    EXPECT_EQ(s.record(1, 18), "Top 25 Game:YES"); // not ranked, no "NR"
    EXPECT_EQ(s.record(2, 18), "Top 25 Game:YES"); // "nr" is not "NR"
    EXPECT_EQ(s.record(3, 18), "Top 25 Game:YES"); // an empty rank is not "NR"
    EXPECT_EQ(s.record(4, 18), "Top 25 Game:NO");
    EXPECT_EQ(s.games.at(240, 2).top25GameFlag(), "YES");
    EXPECT_EQ(s.games.at(240, 5).top25GameFlag(), "NO");
    // The ranked games are those with team 1 (rank 3).
    EXPECT_EQ(s.upsets(), (std::vector<std::string>{"240,1", "240,4"}));
}

TEST(GameRecord, ATeamWithoutAProfileHasEmptyRankLines) {
    SeasonLeague s;
    s.team(1, "NR", "40");
    s.schedule({game(240, 1, 1, 900)});
    s.run();
    EXPECT_EQ(s.record(0, 11), "Team #2 Number:900");
    EXPECT_EQ(s.record(0, 12), "Team #2 Poll Rank:");
    EXPECT_EQ(s.record(0, 13), "Team #2 RPI Rank:");
    EXPECT_EQ(s.record(0, 14), "Team #2 Name:Team 900");
}

TEST(GameRecord, EveryRunRewritesTheWholeSeason) {
    SeasonLeague s;
    s.team(1, "2", "2");
    s.schedule({game(240, 1, 1, 2), game(241, 1, 2, 1)});
    s.run();
    s.run();
    EXPECT_EQ(s.records(), 2u);
    EXPECT_EQ(s.upsets(), (std::vector<std::string>{"240,1", "241,1"}));
}

} // namespace
} // namespace vr::season
