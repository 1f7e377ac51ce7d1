// The schedule page reader: the groups it skips, where it stops reading, the
// cuts of a game row and every stop with its line.
#include "season_fixture.h"

#include <gtest/gtest.h>

namespace vr::season {
namespace {

TEST(SchedulePage, ExampleRowGivesTheListedValues) {
    SeasonLeague s;
    s.schedule({exampleRow()});
    s.run();
    const GameEntry& e = s.games.at(245, 3);
    EXPECT_EQ(e.gameDate(), "11/14/2009");
    EXPECT_EQ(e.boxScoreLink(), "./boxes/box245-3.htm");
    EXPECT_EQ(e.team1Name(), "North Ridge");
    EXPECT_EQ(e.team1RosterLink(), "rosters/roster12.htm");
    EXPECT_EQ(e.team1Number(), "12");
    EXPECT_EQ(e.team1Score(), "78");
    EXPECT_EQ(e.team2Name(), "Lake City");
    EXPECT_EQ(e.team2RosterLink(), "rosters/roster7.htm");
    EXPECT_EQ(e.team2Number(), "7");
    EXPECT_EQ(e.team2Score(), "65");
    EXPECT_EQ(s.record(0, 1), "GameDay:245");
    EXPECT_EQ(s.record(0, 2), "Game Number:3");
    EXPECT_EQ(s.records(), 1u);
}

TEST(SchedulePage, SkipsBothKindsOfGroupAndKeepsPageOrder) {
    SeasonLeague s;
    std::vector<std::string> body;
    auto add = [&](const std::vector<std::string>& l) { body.insert(body.end(), l.begin(), l.end()); };
    add(closingGroup());
    add(game(240, 2, 1, 2).lines());
    add(tableEndGroup());
    add(closingGroup());
    add(game(240, 1, 3, 4).lines());
    add(tableEndGroup());
    add(game(241, 0, 5, 6).lines());
    add(unplayedRow());
    s.page(body);
    s.run();
    ASSERT_EQ(s.records(), 3u);
    EXPECT_EQ(s.record(0, 2), "Game Number:2");
    EXPECT_EQ(s.record(1, 2), "Game Number:1");
    EXPECT_EQ(s.record(2, 1), "GameDay:241");
    EXPECT_EQ(s.record(2, 2), "Game Number:0");
}

TEST(SchedulePage, FirstRowWithoutAResultEndsAtOnce) {
    SeasonLeague s;
    s.games.entry(245, 3).set(GameEntry::Team1Name, "From an earlier run");
    s.schedule({});
    s.run();
    EXPECT_EQ(s.m.get("Test.txt"), "");
    EXPECT_EQ(s.m.get("TopResults.txt"), "");
    EXPECT_EQ(s.m.get("Upsets.txt"), "");
    EXPECT_EQ(s.games.at(245, 3).team1Name(), "From an earlier run");
    EXPECT_EQ(s.m.fs.openHandles(), 0);
}

TEST(SchedulePage, NothingAfterTheEndLineIsRead) {
    SeasonLeague s;
    std::vector<std::string> body = game(240, 1, 1, 2).lines();
    auto end = unplayedRow();
    body.insert(body.end(), end.begin(), end.end());
    // A broken row after the end line would stop the run if it were cut.
    body.insert(body.end(), {"   <tr>", "bad", "bad", "bad", "bad", "bad"});
    auto later = game(240, 2, 1, 2).lines();
    body.insert(body.end(), later.begin(), later.end());
    body.push_back("</html>");
    s.page(body);
    s.run();
    EXPECT_EQ(s.records(), 1u);
    EXPECT_EQ(s.games.at(240, 2).team1Name(), "");
}

TEST(SchedulePage, APageWithEveryGamePlayedEndsAfterItsLastRow) {
    SeasonLeague s;
    std::vector<std::string> body = game(240, 1, 1, 2).lines();
    auto g = game(240, 2, 3, 4).lines();
    body.insert(body.end(), g.begin(), g.end());
    auto close = pageClose();
    body.insert(body.end(), close.begin(), close.end());
    s.page(body);
    s.run();
    EXPECT_EQ(s.records(), 2u);
    EXPECT_EQ(s.games.at(240, 2).team1Name(), "Team 3");
}

TEST(SchedulePage, TheLaterOfTwoRowsForOneGameWinsBothAreRecorded) {
    SeasonLeague s;
    s.schedule({game(245, 3, 1, 2, "70-60"), game(245, 3, 5, 6, "55-57", "11/15/2009")});
    s.run();
    const GameEntry& e = s.games.at(245, 3);
    EXPECT_EQ(e.team1Number(), "5");
    EXPECT_EQ(e.team2Score(), "57");
    EXPECT_EQ(e.gameDate(), "11/15/2009");
    ASSERT_EQ(s.records(), 2u);
    EXPECT_EQ(s.record(0, 5), "Team #1 Number:1");
    EXPECT_EQ(s.record(1, 5), "Team #1 Number:5");
}

TEST(SchedulePage, TeamNamesMayHoldSeparators) {
    SeasonLeague s;
    Row r = game(245, 3, 1, 2, "81-79");
    r.team1 = teamCell(1, "St. Mary's > Rivals");
    r.team2 = teamCell(2, "Wilkes-Barre = Tech");
    s.schedule({r});
    s.run();
    const GameEntry& e = s.games.at(245, 3);
    EXPECT_EQ(e.team1Name(), "St. Mary's > Rivals");
    EXPECT_EQ(e.team1Number(), "1");
    EXPECT_EQ(e.team2Name(), "Wilkes-Barre = Tech");
    EXPECT_EQ(e.team2RosterLink(), "rosters/roster2.htm");
    EXPECT_EQ(e.team1Score(), "81");
    EXPECT_EQ(e.team2Score(), "79");
}

TEST(SchedulePage, ValuesKeepTheirTextAsCut) {
    SeasonLeague s;
    Row spaced = game(245, 3, 1, 2, "78 - 65");
    Row zeros = game(245, 4, 1, 2, "078-065");
    zeros.team1 = teamCell("rosters/roster01.htm", "Team 1");
    s.schedule({spaced, zeros});
    s.run();
    EXPECT_EQ(s.games.at(245, 3).team1Score(), "78 ");
    EXPECT_EQ(s.games.at(245, 3).team2Score(), " 65");
    EXPECT_EQ(s.record(0, 10), "Team #1 Score:78 ");
    EXPECT_EQ(s.record(0, 16), "Team #2 Score: 65");
    EXPECT_EQ(s.record(1, 5), "Team #1 Number:01");
    EXPECT_EQ(s.record(1, 10), "Team #1 Score:078");
    EXPECT_EQ(s.record(1, 16), "Team #2 Score:065");
}

TEST(SchedulePage, TheLinksFirstElevenCharactersAreCountedNotMatched) {
    SeasonLeague s;
    Row r = game(0, 0, 1, 2);
    r.result = resultCell("boxes/box245-3.htm", "70-60"); // 9 characters before the day
    s.schedule({game(0, 0, 1, 2), r});
    s.run();
    EXPECT_EQ(s.games.at(0, 0).team1Name(), "Team 1");
    EXPECT_EQ(s.record(1, 1), "GameDay:5");
    EXPECT_EQ(s.record(1, 2), "Game Number:3");
    EXPECT_EQ(s.games.at(5, 3).boxScoreLink(), "boxes/box245-3.htm");
}

TEST(SchedulePage, GameDaysPastTheRegularSeasonAreKept) {
    SeasonLeague s;
    s.schedule({game(400, 300, 1, 2)});
    s.run();
    EXPECT_EQ(s.games.at(400, 300).team1Name(), "Team 1");
}

TEST(SchedulePage, PageAndHeaderStops) {
    SeasonLeague s;
    EXPECT_EQ(s.runStop(), "File not found: html\\leagueschedule.htm");

    s.m.putLines(kPage, {"<html>", "<body>", "</body></html>"});
    EXPECT_EQ(s.runStop(), "End of file: html\\leagueschedule.htm, line 4: no line of the page is the heading of "
                           "the schedule's Date column ('<td class=header width=75>&nbsp;Date</td>' after seven "
                           "spaces): it is not the game's schedule page");

    s.m.putLines(kPage, {"<html>", kHeader, "1", "2", "3", "</html>"});
    EXPECT_EQ(s.runStop(), "End of file: html\\leagueschedule.htm, line 7: the page ends right after the heading "
                           "of the schedule");
}

// A page cut short is one the game may still be writing, wherever the cut
// falls; a whole page whose last group is short stops at the missing line.
TEST(SchedulePage, APageEndingInsideAGroupIsEndOfFile) {
    auto cut = [](std::vector<std::string> body, std::size_t keep, bool closed) {
        body.resize(keep);
        if (closed) body.push_back("</html>");
        SeasonLeague s;
        s.page(body);
        return s.runStop();
    };
    const std::string cutShort = "End of file: html\\leagueschedule.htm: the page ends before its end (the game "
                                 "may still be writing it); export the league's pages again";
    auto inRow = [](long line) {
        return pageStop("End of file", line) + ": the page ends inside a row of the schedule table";
    };
    auto closing = closingGroup();
    EXPECT_EQ(cut(closing, 9, true), inRow(kFirstRowLine + 10));
    EXPECT_EQ(cut(closing, 10, false), cutShort);
    auto tableEnd = tableEndGroup();
    EXPECT_EQ(cut(tableEnd, 1, true), inRow(kFirstRowLine + 2));
    EXPECT_EQ(cut(tableEnd, 5, false), cutShort);
    auto row = game(240, 1, 1, 2).lines();
    EXPECT_EQ(cut(row, 3, true), inRow(kFirstRowLine + 4));
    EXPECT_EQ(cut(row, 4, false), cutShort);
    // The sixth line is read before the row is cut.
    EXPECT_EQ(cut(row, 5, false), cutShort);
    // Cut after its last game: the games read go with the run's other files.
    EXPECT_EQ(cut(row, 6, false), cutShort);
}

// The second row, made bad by `change`; the stop it gives.
template <class F>
std::string secondRowStop(F change) {
    SeasonLeague s;
    Row r = game(245, 3, 1, 2);
    change(r);
    s.schedule({game(240, 1, 1, 2), r});
    std::string stop = s.runStopPlace();
    // The first game was handed on in full before the second row was read.
    EXPECT_EQ(s.records(), 1u);
    return stop;
}

TEST(SchedulePage, EveryCutStopsAtTheLineOfItsCell) {
    const std::string result = pageStop("Invalid argument", resultLine(1));
    EXPECT_EQ(secondRowStop([](Row& r) { r.result = "</a></font></td>"; }), result);
    EXPECT_EQ(secondRowStop([](Row& r) { r.result = "x</td>"; }), result);
    EXPECT_EQ(secondRowStop([](Row& r) { r.result = resultCell("./boxes/box245=3.htm", "78:65"); }), result);
    EXPECT_EQ(secondRowStop([](Row& r) { r.result = "<td a=b-c</a></font></td>"; }), result);
    EXPECT_EQ(secondRowStop([](Row& r) { r.result = "<td><a>78-65</a></font></td>"; }), result);
    EXPECT_EQ(secondRowStop([](Row& r) { r.result = resultCell("./boxes/box2453.htm", "78-65"); }), result);
    // A "-" among the first 11 characters leaves the day a negative length.
    EXPECT_EQ(secondRowStop([](Row& r) { r.result = resultCell("./bo-es/box245-3.htm", "78-65"); }), result);
    EXPECT_EQ(secondRowStop([](Row& r) { r.result = resultCell("box-3.htm", "78-65"); }), result);

    const std::string team1 = pageStop("Invalid argument", team1Line(1));
    const std::string team2 = pageStop("Invalid argument", team2Line(1));
    EXPECT_EQ(secondRowStop([](Row& r) { r.team1 = "       <td class=main>&nbsp;</a></font></td>"; }), team1);
    EXPECT_EQ(secondRowStop([](Row& r) {
                  r.team2 = "       <td class=main align=left>&nbsp;<a href='rosters/roster2.htm' Lake City</a></font></td>";
              }),
              team2);
    // Nothing before the ">": no closing quote to drop.
    EXPECT_EQ(secondRowStop([](Row& r) { r.team1 = teamCell("", "North Ridge").erase(47, 1); }), team1);
    EXPECT_EQ(secondRowStop([](Row& r) { r.team2 = teamCell("r7", "Lake City"); }), team2);

    const std::string date = pageStop("Invalid argument", dateLine(1));
    EXPECT_EQ(secondRowStop([](Row& r) { r.date = "x</td>"; }), date);
    EXPECT_EQ(secondRowStop([](Row& r) { r.date = "       <td class=main>11/14/2009</font></td>"; }), date);
}

// After the place, what the cell should have held, quoting it; a score
// without its "-" is named as such, though the cuts then fail further on.
TEST(SchedulePage, StopsSayWhatTheCellShouldHold) {
    auto stop = [](auto change) {
        SeasonLeague s;
        Row r = game(245, 3, 1, 2);
        change(r);
        s.schedule({r});
        return s.runStop();
    };
    const std::string at = std::string(kPage) + ", line ";
    const std::string result = at + std::to_string(resultLine(0)) + ": ";
    EXPECT_EQ(stop([](Row& r) { r.result = resultCell(boxLink(245, 3), "94 100"); }),
              "Invalid argument: " + result + "the score '94 100' has no '-' between the two teams' scores");
    EXPECT_EQ(stop([](Row& r) { r.result = resultCell("./boxes/box24x5-3.htm", "94-100"); }),
              "Type mismatch: " + result +
                  "the day '24x5' in the box score link './boxes/box24x5-3.htm' is not a whole number");
    EXPECT_EQ(stop([](Row& r) { r.result = resultCell("./boxes/box245-301.htm", "94-100"); }),
              "Subscript out of range: " + result +
                  "the game number '301' in the box score link './boxes/box245-301.htm' is not within 0 to 300");
    EXPECT_EQ(stop([](Row& r) { r.date = "       <td class=main>11/14/2009</font></td>"; }),
              "Invalid argument: " + at + std::to_string(dateLine(0)) +
                  ": the date cell '       <td class=main>11/14/2009</font></td>' has no ';' before the date (as "
                  "in '&nbsp;11/14/2009')");
    // A long line is quoted by its start and its end.
    EXPECT_EQ(stop([](Row& r) {
                  r.team2 = "       <td class=main align=left>&nbsp;<a href='rosters/roster2.htm' Lake City of the "
                            "Long Name</a></font></td>";
              }),
              "Invalid argument: " + at + std::to_string(team2Line(0)) +
                  ": the team cell '       <td class=main align=left>&nbsp;<a href='rosters/rost ...  "
                  "the Long Name</a></font></td>' has no '>' between the roster link and the team's name");
    EXPECT_EQ(stop([](Row& r) { r.team1 = teamCell("rosters/roster1x.htm", "North Ridge"); }),
              "Type mismatch: " + at + std::to_string(team1Line(0)) +
                  ": the team number '1x' of the roster link 'rosters/roster1x.htm' is not a whole number");
}

TEST(SchedulePage, AllCutsComeBeforeTheNumbersAndTheCellsInOrder) {
    // Bad result cell and bad date cell: the result cell is cut first.
    EXPECT_EQ(secondRowStop([](Row& r) {
                  r.result = "x";
                  r.team1 = "x";
                  r.date = "x";
              }),
              pageStop("Invalid argument", resultLine(1)));
    EXPECT_EQ(secondRowStop([](Row& r) {
                  r.team1 = "x";
                  r.team2 = "x";
              }),
              pageStop("Invalid argument", team1Line(1)));
    // A bad date cell stops before a game day that is no number is read.
    EXPECT_EQ(secondRowStop([](Row& r) {
                  r.result = resultCell("./boxes/boxDAY-3.htm", "78-65");
                  r.date = "x";
              }),
              pageStop("Invalid argument", dateLine(1)));
}

TEST(SchedulePage, GameDayThenGameNumberReadStrictlyThenRangeChecked) {
    auto link = [](const std::string& l) { return [l](Row& r) { r.result = resultCell(l, "78-65"); }; };
    const long res = resultLine(1);
    EXPECT_EQ(secondRowStop(link("./boxes/box24x5-3.htm")), pageStop("Type mismatch", res));
    EXPECT_EQ(secondRowStop(link("./boxes/box24.5-3.htm")), pageStop("Type mismatch", res));
    EXPECT_EQ(secondRowStop(link("./boxes/box-3.htm.htm")), pageStop("Type mismatch", res));
    EXPECT_EQ(secondRowStop(link("./boxes/box401-3.htm")), pageStop("Subscript out of range", res));
    EXPECT_EQ(secondRowStop(link("./boxes/box245-301.htm")), pageStop("Subscript out of range", res));
    EXPECT_EQ(secondRowStop(link("./boxes/box245-3a.htm")), pageStop("Type mismatch", res));
    // The day is read before the number: its fault is the one reported.
    EXPECT_EQ(secondRowStop(link("./boxes/box999-x.htm")), pageStop("Subscript out of range", res));
    EXPECT_EQ(secondRowStop(link("./boxes/boxx-999.htm")), pageStop("Type mismatch", res));
}

} // namespace
} // namespace vr::season
