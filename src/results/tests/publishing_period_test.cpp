// The results digest's day sections and the score list.
#include "results/tests/publishing_fixture.h"

#include <gtest/gtest.h>

namespace vr::testing {
namespace {

const std::string kEquals(52, '=');
const std::string kDash(52, '-');

TEST(PeriodResults, WorkedExampleScoreAndResultLines) {
    PublishingLeague l;
    l.team(1, "NR");
    l.team(2, " 5 ");
    l.game(245, 1, "11/14/2009", "Lakeshore", "77", "Ridgefield", "81", "YES");
    l.game(246, 1, "11/15/2009", "Ridgefield", "100", "Lakeshore", "99", "YES");
    l.game(246, 2, "11/15/2009", "Ridgefield", "70 OT", "Lakeshore", "70", "YES"); // tie by leading number
    l.game(246, 3, "11/15/2009", "Ridgefield", "60", "Lakeshore", "50", "NO");
    l.publish(246, 2);

    EXPECT_EQ(l.lines("~daily.txt"),
              (std::vector<std::string>{kEquals, "RESULTS FOR THE PERIOD OF: 11/14/2009 - 11/15/2009", kEquals,
                                        " ", "Top 25 Results for 11/14/2009", kDash,
                                        "(5)Ridgefield 81, (NR)Lakeshore 77",
                                        " ", "Top 25 Results for 11/15/2009", kDash,
                                        "(NR)Ridgefield 100, (5)Lakeshore 99"}));
    EXPECT_EQ(l.scores, (std::vector<std::string>{"11/14/2009", "Lakeshore-77, Ridgefield-81", "11/15/2009",
                                                  "Ridgefield-100, Lakeshore-99", "Ridgefield-70 OT, Lakeshore-70",
                                                  "Ridgefield-60, Lakeshore-50"}));
}

TEST(PeriodResults, EmptyPeriodWritesHeaderOnly) {
    PublishingLeague l;
    l.game(245, 1, "11/14/2009", "A", "1", "B", "2", "YES");
    l.game(246, 1, "11/15/2009", "A", "1", "B", "2", "YES");
    l.publish(245, 0); // first day 246, after the last
    EXPECT_EQ(l.lines("~daily.txt"),
              (std::vector<std::string>{kEquals, "RESULTS FOR THE PERIOD OF: 11/15/2009 - 11/14/2009", kEquals}));
    EXPECT_TRUE(l.scores.empty());
    EXPECT_EQ(l.lines("html\\scoreboard.html").size(), 25u);
}

TEST(PeriodResults, DayWithoutGamesAndUnlistedGame) {
    PublishingLeague l;
    l.game(245, 1, "11/14/2009", "A", "1", "B", "2", "YES");
    l.state.days.gamesPerDay[245] = 2; // game 2 is not on the schedule page
    l.publish(246, 2);                  // day 246 has no games
    EXPECT_EQ(l.scores, (std::vector<std::string>{"11/14/2009", "A-1, B-2", "-, -", ""}));
    EXPECT_EQ(l.lines("~daily.txt"),
              (std::vector<std::string>{kEquals, "RESULTS FOR THE PERIOD OF: 11/14/2009 - ", kEquals, " ",
                                        "Top 25 Results for 11/14/2009", kDash, "()B 2, ()A 1", " ",
                                        "Top 25 Results for ", kDash}));
}

TEST(PeriodResults, BadTeamNumberStopsWithTypeMismatch) {
    PublishingLeague l;
    l.game(245, 1, "d", "A", "1", "B", "2", "YES").set(GameEntry::Team2Number, "x");
    EXPECT_EQ(stopMessage([&] { l.publish(245, 1); }), "Type mismatch: team number \"x\"");
}

} // namespace
} // namespace vr::testing
