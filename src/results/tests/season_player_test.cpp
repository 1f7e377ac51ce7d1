// The player of the game: the first labelled line of the game's play-by-play
// file, a missing file, and the stops.
#include "season_fixture.h"

#include <gtest/gtest.h>

namespace vr::season {
namespace {

// One game (245, 3) whose play-by-play file has `labelLine` as its 3rd line.
struct OneGame : SeasonLeague {
    explicit OneGame(const std::string& labelLine) {
        schedule({exampleRow()});
        pbp(245, 3, labelLine);
    }
    const GameEntry& entry() const { return games.at(245, 3); }
};

TEST(PlayerOfTheGame, NameAndTeamText) {
    OneGame g("Player of the Game: Tom Baker - North Ridge");
    g.run();
    EXPECT_EQ(g.entry().playerOfTheGame(), "Tom Baker");
    EXPECT_EQ(g.entry().playerOfTheGameTeam(), "North Ridge");
    EXPECT_EQ(g.record(0, 17), "Game MVP:Tom Baker, North Ridge");
    EXPECT_EQ(g.m.fs.openHandles(), 0);
}

TEST(PlayerOfTheGame, AHyphenatedNameStaysWhole) {
    OneGame g("Player of the Game: Ann Lee-Park - Lake City");
    g.run();
    EXPECT_EQ(g.entry().playerOfTheGame(), "Ann Lee-Park");
    EXPECT_EQ(g.entry().playerOfTheGameTeam(), "Lake City");
    EXPECT_EQ(g.record(0, 17), "Game MVP:Ann Lee-Park, Lake City");
    // Without a spaced hyphen the first "-" still cuts.
    OneGame bare("Player of the Game: Ann Lee-Park-Lake City");
    bare.run();
    EXPECT_EQ(bare.entry().playerOfTheGame(), "Ann Lee");
    EXPECT_EQ(bare.entry().playerOfTheGameTeam(), "Park-Lake City");
    OneGame twice("Player of the Game: Jo Ann-Lee - Lake-Side - North");
    twice.run();
    EXPECT_EQ(twice.entry().playerOfTheGame(), "Jo Ann-Lee");
    EXPECT_EQ(twice.entry().playerOfTheGameTeam(), "Lake-Side - North");
}

TEST(PlayerOfTheGame, OnlySpacesAreTrimmed) {
    OneGame g("Player of the Game:   Tom\tBaker  -  North Ridge\t  ");
    g.run();
    EXPECT_EQ(g.entry().playerOfTheGame(), "Tom\tBaker");
    EXPECT_EQ(g.entry().playerOfTheGameTeam(), "North Ridge\t");
}

TEST(PlayerOfTheGame, HyphenAfterTheSpaceGivesAnEmptyName) {
    OneGame g("Player of the Game: - Lake City");
    g.run();
    EXPECT_EQ(g.entry().playerOfTheGame(), "");
    EXPECT_EQ(g.entry().playerOfTheGameTeam(), "Lake City");
    EXPECT_EQ(g.record(0, 17), "Game MVP:, Lake City");
}

TEST(PlayerOfTheGame, OnlyTheFirstLabelledLineIsRead) {
    SeasonLeague s;
    s.schedule({exampleRow()});
    // A shorter line never matches; after the first match nothing is read,
    // not even a label line that would stop the run.
    s.pbp(245, 3, {"Player of the", "Player of the Gam", "Player of the Game: Tom Baker - North Ridge",
                   "Player of the Game: Other One - Lake City", "Player of the Game:-"});
    s.run();
    EXPECT_EQ(s.games.at(245, 3).playerOfTheGame(), "Tom Baker");
}

TEST(PlayerOfTheGame, DayAndNumberNameTheFileByTheirDigits) {
    SeasonLeague s;
    Row r = exampleRow();
    r.result = resultCell("./boxes/box 0245-03.htm", "78-65");
    s.schedule({r});
    s.pbp(245, 3, "Player of the Game: Tom Baker - North Ridge");
    s.run();
    EXPECT_EQ(s.games.at(245, 3).playerOfTheGame(), "Tom Baker");
    EXPECT_EQ(s.record(0, 1), "GameDay: 0245");
    EXPECT_EQ(s.record(0, 2), "Game Number:03");
}

TEST(PlayerOfTheGame, AMissingFileKeepsWhatAnEarlierRunFound) {
    SeasonLeague s;
    s.schedule({exampleRow(), game(245, 4, 1, 2)});
    s.pbp(245, 3, "Player of the Game: Tom Baker - North Ridge");
    s.run();
    // No file for game 4 in the window's first run: empty values.
    EXPECT_EQ(s.record(1, 17), "Game MVP:, ");

    s.m.fs.removeFile(testing::leaguePath("pbp\\245-3.txt"));
    s.run();
    EXPECT_EQ(s.games.at(245, 3).playerOfTheGame(), "Tom Baker");
    EXPECT_EQ(s.record(0, 17), "Game MVP:Tom Baker, North Ridge");
}

TEST(PlayerOfTheGame, NoPlayByPlayFolderMeansNoFiles) {
    testing::MemoryLeague m;
    TeamTable teams;
    GameTable games;
    m.putLines(kPage, {kHeader, "1", "2", "3", "4", "5"});
    auto r = exampleRow().lines();
    std::string page = m.get(kPage) + testing::crlf(r) + testing::crlf(pageClose());
    m.put(kPage, page);
    auto upsets = m.league.openOutput("Upsets.txt");
    auto top = m.league.openOutput("TopResults.txt");
    auto test = m.league.openOutput("Test.txt");
    readSeason(m.league, teams, games, SeasonFiles{*test, *top, *upsets});
    EXPECT_EQ(games.at(245, 3).team1Name(), "North Ridge");
    EXPECT_EQ(games.at(245, 3).playerOfTheGame(), "");
}

TEST(PlayerOfTheGame, Stops) {
    const std::string file = "pbp\\245-3.txt";
    auto stop = [](const std::vector<std::string>& lines) {
        SeasonLeague s;
        s.schedule({exampleRow()});
        s.pbp(245, 3, lines);
        return s.runStop();
    };
    const std::string noLabel = ": the file has no line starting 'Player of the Game:'";
    EXPECT_EQ(stop({"Tip-off", "End of game"}), "End of file: " + file + ", line 3" + noLabel);
    EXPECT_EQ(stop({}), "End of file: " + file + ", line 1" + noLabel);
    EXPECT_EQ(stop({"x", "player of the game: Tom Baker - North Ridge"}), "End of file: " + file + ", line 3" + noLabel);
    // The hyphen straight after the colon is dropped with the label.
    const std::string noDash = "' has no '-' between the player's name and the team's after the label and its space "
                               "(as in 'Player of the Game: Tom Baker - North Ridge')";
    EXPECT_EQ(stop({"x", "Player of the Game:- North Ridge"}),
              "Invalid argument: " + file + ", line 2: the line 'Player of the Game:- North Ridge" + noDash);
    EXPECT_EQ(stop({"Player of the Game:"}),
              "Invalid argument: " + file + ", line 1: the line 'Player of the Game:' names no player");
    EXPECT_EQ(stop({"a", "b", "Player of the Game: Tom Baker"}),
              "Invalid argument: " + file + ", line 3: the line 'Player of the Game: Tom Baker" + noDash);
}

TEST(PlayerOfTheGame, ItsStopsComeBeforeABadTeamNumber) {
    SeasonLeague s;
    Row r = exampleRow();
    r.team1 = teamCell("rosters/rosterX.htm", "North Ridge");
    s.schedule({r});
    s.pbp(245, 3, std::vector<std::string>{"no label"});
    EXPECT_EQ(s.runStopPlace(), "End of file: pbp\\245-3.txt, line 2");
    s.pbp(245, 3, "Player of the Game: Tom Baker - North Ridge");
    EXPECT_EQ(s.runStopPlace(), pageStop("Type mismatch", team1Line(0)));
}

} // namespace
} // namespace vr::season
