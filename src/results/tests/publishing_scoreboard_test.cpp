// The scoreboard page: head, date headers, game boxes with winner and loser
// cells, rank tags.
#include "results/scoreboard_page.h"
#include "results/tests/publishing_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vr::testing {
namespace {

using Lines = std::vector<std::string>;

Lines slice(const Lines& all, std::size_t from, std::size_t count) {
    return Lines(all.begin() + static_cast<long>(from), all.begin() + static_cast<long>(from + count));
}

const Lines kCells{"      </td>", "      <td width=20>", "      </td>", "      <td width=20>", "      </td>"};

TEST(ScoreboardPage, LoserThenWinnerBoxAsListed) {
    PublishingLeague l;
    l.team(1, "NR", "l1.gif", "3-4");
    l.team(2, " 5 ", "r.gif", "7-0");
    l.game(245, 1, "11/14/2009", "Lakeshore", "77", "Ridgefield", "81");
    l.publish(245, 1);
    Lines page = l.lines("html\\scoreboard.html");
    ASSERT_EQ(page.size(), 23u + 1 + 42 + 2);
    EXPECT_EQ(page[3], "   .dateheader  {background: #00853B; font-family: tahoma; font-size: 14pt; font-weight: bold; color: #FFFFFF;}");
    EXPECT_EQ(page[22], "    ");
    EXPECT_EQ(page[23], "<div class=dateheader>11/14/2009</div>");
    Lines expected{"", "<div class=boxscore>", "  <Table>", "    <tr>", "      <td width=40>",
                   "        <div class=logo><img src=./images/l1.gif height=40 width=40></div>", "      </td>",
                   "      <td width=225>", "        <div class=loseteam>Lakeshore<br>", "        </div>",
                   "        <div class=loserecord>3-4</div>"};
    expected.insert(expected.end(), kCells.begin(), kCells.end());
    for (const char* s : {"      <td width=60>", "        <div class=losescore>77</div>", "      </td>",
                          "      <td rowspan=2 width=150><div class=mvpteam> Player of the Game:</div><br>",
                          "<div class=mvp>Tom Baker</div><div class=mvpteam>Lakeshore<div><br>&nbsp;<br>",
                          " <div=boxlink><a href=./boxes/box245-1.htm>Boxscore</a></div>", "      </td>", "    </tr>",
                          "    <tr>", "      <td width=40>",
                          "        <div class=logo><img src=./images/r.gif height=40 width=40></div>", "      </td>",
                          "      <td width=210>", "        <div class=winteam>(5) Ridgefield<br></div>",
                          "        <div class=winrecord>7-0</div>"})
        expected.push_back(s);
    expected.insert(expected.end(), kCells.begin(), kCells.end());
    for (const char* s : {"      <td width=50>", "        <div class=winscore>81</div>", "      </td>", "    </tr>",
                          "  </Table>", "</div>", "</body>", "</html>"})
        expected.push_back(s);
    EXPECT_EQ(slice(page, 24, expected.size()), expected);
}

TEST(ScoreboardPage, FirstTeamWinnerWidthsAndHundredBeatsNinetyNine) {
    PublishingLeague l;
    l.game(245, 1, "d", "A", "100", "B", "99");
    l.publish(245, 1);
    Lines page = l.lines("html\\scoreboard.html");
    EXPECT_EQ(page[32], "        <div class=winteam>A<br></div>");
    EXPECT_EQ(slice(page, 35, 6), (Lines{"      <td width=5>", "      </td>", "      <td width=5>", "      </td>",
                                         "      <td width=65>", "        <div class=winscore>100</div>"}));
    EXPECT_EQ(page[52], "        <div class=loseteam>B<br>");
    EXPECT_EQ(slice(page, 60, 2), (Lines{"      <td width=50>", "        <div class=losescore>99</div>"}));
}

TEST(ScoreboardPage, TieAndUnlistedGameHaveNoNameCells) {
    PublishingLeague l;
    l.game(245, 1, "d", "A", "70", "B", "70");
    l.state.days.gamesPerDay[245] = 2; // game 2 never read
    l.publish(245, 1);
    Lines page = l.lines("html\\scoreboard.html");
    ASSERT_EQ(page.size(), 23u + 1 + 2 * 21 + 2);
    EXPECT_EQ(page[31], "      <td width=225>");
    EXPECT_EQ(page[32], "      <td rowspan=2 width=150><div class=mvpteam> Player of the Game:</div><br>");
    EXPECT_EQ(page[41], "      <td width=210>");
    EXPECT_EQ(page[42], "    </tr>");
    // The unlisted game: empty logo, players and link.
    EXPECT_EQ(page[50], "        <div class=logo><img src=./images/ height=40 width=40></div>");
    EXPECT_EQ(page[54], "<div class=mvp></div><div class=mvpteam><div><br>&nbsp;<br>");
    EXPECT_EQ(page[55], " <div=boxlink><a href=>Boxscore</a></div>");
}

// The player of the game and his team come from the plain-text play-by-play
// file: a "<" there is written as "&lt;", and nothing else changes (a ">" or
// "&" stays as the page always had it).
TEST(ScoreboardPage, ThePlayerOfTheGameIsTextInThePage) {
    PublishingLeague l;
    GameEntry& g = l.game(245, 1, "d", "A", "70", "B", "71");
    g.set(GameEntry::PlayerOfTheGame, "<script>alert(1)</script> O'Neil >>");
    g.set(GameEntry::PlayerOfTheGameTeam, "A&M <b>");
    l.publish(245, 1);
    Lines page = l.lines("html\\scoreboard.html");
    EXPECT_NE(std::find(page.begin(), page.end(),
                        "<div class=mvp>&lt;script>alert(1)&lt;/script> O'Neil >></div><div class=mvpteam>A&M "
                        "&lt;b><div><br>&nbsp;<br>"),
              page.end());
}

TEST(ScoreboardPage, RankTagBelowTwentySix) {
    EXPECT_TRUE(rankTagDue("25"));
    EXPECT_FALSE(rankTagDue("26"));
    EXPECT_FALSE(rankTagDue("NR"));
    EXPECT_FALSE(rankTagDue(""));
    EXPECT_TRUE(rankTagDue("0"));
    EXPECT_TRUE(rankTagDue(" 5 "));
    EXPECT_FALSE(rankTagDue("5th"));

    PublishingLeague l;
    l.team(1, "0");
    l.team(2, "26");
    l.game(245, 1, "d", "A", "1", "B", "2");
    l.publish(245, 1);
    Lines page = l.lines("html\\scoreboard.html");
    EXPECT_EQ(page[32], "        <div class=loseteam>(0) A<br>");
    EXPECT_EQ(page[53], "        <div class=winteam>B<br></div>");
}

} // namespace
} // namespace vr::testing
