// Two GO! runs in one window: the digest is written afresh, the leaders are
// not listed twice, while the score list keeps growing.
#include "app/run_sequences.h"
#include "results/tests/publishing_fixture.h"

#include <gtest/gtest.h>

namespace vr::testing {
namespace {

TEST(SecondGoRun, SameDigestWhileTheScoreListDoubles) {
    PublishingLeague l;
    l.put("html\\standings.htm", "</html>");
    // A schedule whose games were read by an earlier run of this window.
    l.putLines("html\\leagueschedule.htm",
               {"<table>", "       <td class=header width=75>&nbsp;Date</td>", "1", "2", "3", "4", "</html>"});
    l.fs.addFolder(std::string(kLeague) + "/pbp");
    for (const char* f : {"pbp\\245-1.txt", "pbp\\245-2.txt"}) l.put(f, "Player of the Game: X - Y\r\n");
    l.putLines(boxName(245, 1), boxPage({{"A", {{"P", "4", "3", "20"}}}, {"B", {{"Q", "9", "1", "18"}}}}));
    l.putLines(boxName(245, 2), boxPage({{"C", {{"R", "4", "3", "20"}}}, {"D", {}}}));

    FakeWindow window;
    windowLoad(l.league, window, l.state);
    ASSERT_EQ(window.text(TextBox::LastDay), "245");
    ASSERT_EQ(l.state.days.games(245), 2);
    l.team(1, "3");
    l.game(245, 1, "1/5/2010", "A", "80", "B", "70", "YES");
    l.game(245, 2, "1/5/2010", "C", "60", "D", "61");
    window.setText(TextBox::DaysSimmed, "1");

    goRun(l.league, window, l.state);
    const std::string firstDaily = l.get("~daily.txt");
    const std::vector<std::string> firstScores = window.scores;
    goRun(l.league, window, l.state);

    EXPECT_EQ(l.get("~daily.txt"), firstDaily);
    EXPECT_NE(firstDaily.find("(3)A 80, ()B 70\r\n"), std::string::npos);
    EXPECT_NE(firstDaily.find("1)  20  P, A (Jan05)\r\n2)  20  R, C (Jan05)\r\n3)  18  Q, B (Jan05)\r\n4)  \r\n"),
              std::string::npos);
    EXPECT_EQ(firstScores, (std::vector<std::string>{"1/5/2010", "A-80, B-70", "C-60, D-61"}));
    std::vector<std::string> twice = firstScores;
    twice.insert(twice.end(), firstScores.begin(), firstScores.end());
    EXPECT_EQ(window.scores, twice);
    EXPECT_EQ(window.beeps, 2);
}

} // namespace
} // namespace vr::testing
