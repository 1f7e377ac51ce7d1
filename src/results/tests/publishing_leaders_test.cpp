// The leader lists, the leader label's date, and the leaders section.
#include "results/leader_date.h"
#include "results/stat_leaders.h"
#include "results/tests/publishing_fixture.h"

#include <gtest/gtest.h>

namespace vr::testing {
namespace {

std::vector<std::string> labels(const LeaderList& list) {
    std::vector<std::string> out;
    for (const auto& e : list.entries) out.push_back(e.label);
    return out;
}

TEST(Offer, KeepsFiveInOrderEarlierOfferFirstAmongEquals) {
    LeaderList list;
    offer(list, 0, "zero", "T", "1/5/2010");
    offer(list, -3, "negative", "T", "1/5/2010");
    EXPECT_FALSE(list.entries[0].value.has_value());
    for (const char* name : {"a", "b", "c", "d", "e", "f"}) offer(list, 10, name, "T", "1/5/2010");
    EXPECT_EQ(labels(list), (std::vector<std::string>{"a, T (Jan05)", "b, T (Jan05)", "c, T (Jan05)",
                                                      "d, T (Jan05)", "e, T (Jan05)"}));
    offer(list, 10.5, "P", "T", "");
    EXPECT_EQ(list.entries[0].label, "P, T ()");
    EXPECT_EQ(list.entries[0].value, 10.5);
    EXPECT_EQ(list.entries[4].label, "d, T (Jan05)");
}

TEST(LeaderDate, RealCalendarDatesOnly) {
    EXPECT_EQ(leaderDate("11/14/2009"), "Nov14");
    EXPECT_EQ(leaderDate(" 1/5/10 "), "Jan05");
    EXPECT_EQ(leaderDate("2/29/2008"), "Feb29");
    EXPECT_EQ(leaderDate("2/29/00"), "Feb29"); // 2000
    for (const char* bad : {"", "2/29/2009", "2/29/1900", "13/1/2009", "0/5/2009", "4/31/2009", "1/5/209",
                            "1/5/20091", "1/5", "Jan 5, 2010", "1/5/2010x", "001/5/2010", "1//2010"})
        EXPECT_EQ(leaderDate(bad), "") << bad;
}

TEST(BoxScores, PlayerLinesLeadersAndSection) {
    PublishingLeague l;
    l.game(245, 1, "1/5/2010", "Lakeshore", "77", "Ridgefield", "81");
    l.game(245, 2, "1/6/2010", "Lakeshore", "77", "Ridgefield", "81");
    l.putLines(boxName(245, 1), boxPage({{"Lakeshore (3-4)", {{"Tom Baker", "10", "5", "25"}, {"Zed", "-", "", "0"}}},
                                         {"Ridgefield (7-0)", {{std::string(30, 'N'), "2", "1", "31"}}},
                                         {"Third", {{"Never", "99", "99", "99"}}}}));
    l.putLines(boxName(245, 2), boxPage({{"Lakeshore (3-4)", {{"Ann Lee", "10", "0", "31"}}}, {"Ridgefield (7-0)", {}}}));
    l.publishAll(245, 1, "http://w.example/");

    const std::string dash(52, '-');
    std::vector<std::string> test = l.lines("Test.txt");
    std::vector<std::string> expectedTest{
        dash, "Finding Pts, Reb, Ast Leaders for Sim", dash, "", dash, "Team: Lakeshore (3-4)", dash,
        "Tom Baker" + std::string(20, ' ') + " 25 " + std::string(9, ' ') + " 10 " + std::string(10, ' ') + " 5 ",
        " 25 " + std::string(10 + 14 * 3, ' '),
        "Zed" + std::string(26, ' ') + " 0 " + std::string(10, ' ') + " 0 " + std::string(11, ' ') + " 0 ",
        " 25 " + std::string(10 + 14 * 3, ' '), dash, "Team: Ridgefield (7-0)", dash, std::string(30, 'N'),
        std::string(29, ' ') + " 31 " + std::string(9, ' ') + " 2 " + std::string(11, ' ') + " 1 ",
        " 31 " + std::string(10, ' ') + " 25 " + std::string(10 + 14 * 2, ' '), dash, "Team: Lakeshore (3-4)", dash,
        "Ann Lee" + std::string(22, ' ') + " 31 " + std::string(9, ' ') + " 10 " + std::string(10, ' ') + " 0 ",
        " 31 " + std::string(10, ' ') + " 31 " + std::string(10, ' ') + " 25 " + std::string(10 + 14, ' '),
        dash, "Team: Ridgefield (7-0)", dash};
    EXPECT_EQ(test, expectedTest);

    std::vector<std::string> daily = l.lines("~daily.txt");
    ASSERT_EQ(daily.size(), 3u + 3 + 2 + 30);
    EXPECT_EQ(daily[10], "STAT LEADERS FOR THE PERIOD OF: 1/5/2010 - 1/5/2010");
    EXPECT_EQ(daily[14], "1)  31  " + std::string(30, 'N') + ", Ridgefield (7-0) (Jan05)");
    EXPECT_EQ(daily[15], "2)  31  Ann Lee, Lakeshore (3-4) (Jan06)");
    EXPECT_EQ(daily[17], "4)  ");
    EXPECT_EQ(daily[22], "1)  10  Tom Baker, Lakeshore (3-4) (Jan05)");
    EXPECT_EQ(daily[23], "2)  10  Ann Lee, Lakeshore (3-4) (Jan06)");
    EXPECT_EQ(daily[24], "3)  2  " + std::string(30, 'N') + ", Ridgefield (7-0) (Jan05)");
    EXPECT_EQ(daily[32], "3)  ");
    EXPECT_EQ(daily[36], "http://w.example/");
}

TEST(BoxScores, EmptyPeriodReadsNoPage) {
    PublishingLeague l;
    l.game(245, 1, "1/5/2010", "A", "1", "B", "2");
    l.publishAll(245, 0, "w");
    EXPECT_EQ(l.lines("Test.txt").size(), 4u);
    std::vector<std::string> daily = l.lines("~daily.txt");
    ASSERT_EQ(daily.size(), 3u + 2 + 30);
    EXPECT_EQ(daily[5], "");
    EXPECT_EQ(daily[7], "STAT LEADERS FOR THE PERIOD OF:  - 1/5/2010");
    for (std::size_t i : {11u, 19u, 27u}) EXPECT_EQ(daily[i], "1)  ");
    EXPECT_EQ(l.fs.opensForInput(), 0);
}

TEST(BoxScores, MalformedPagesStopTheRun) {
    auto runOn = [](std::vector<std::string> page) {
        PublishingLeague l;
        l.game(245, 1, "d", "A", "1", "B", "2");
        l.putLines(boxName(245, 1), page);
        return stopMessage([&] { l.publishAll(245, 1); });
    };
    std::vector<std::string> oneBlock = boxPage({{"A", {{"P", "1", "2", "3"}}}});
    EXPECT_EQ(runOn(oneBlock), "End of file: html\\boxes\\box245-1.htm, line 22: the page holds one team only: no "
                               "second team header line follows the first team's totals");

    // A short rebounds line stops at once, though the page ends before line 13.
    std::vector<std::string> shortValue = boxPage({{"A", {{"P", "1", "2", "3"}}}, {"B", {}}});
    shortValue[3 + 7] = "       <td class=main>&nbsp;";
    shortValue.resize(3 + 9);
    EXPECT_EQ(runOn(shortValue), "Invalid argument: html\\boxes\\box245-1.htm, line 11: the rebounds line "
                                 "'       <td class=main>&nbsp;' of the player 'P' is too short: it should hold the "
                                 "value between 28 characters of markup and 5 closing ones");

    std::vector<std::string> shortHeader = boxPage({{"A", {}}, {"B", {}}});
    shortHeader[1] = "   <tr><td class=tableheader colspan=14>&nbsp;</td>";
    EXPECT_EQ(runOn(shortHeader), "Invalid argument: html\\boxes\\box245-1.htm, line 2: the team header line "
                                  "'   <tr><td class=tableheader colspan=14>&nbsp;</td>' is too short: the team's "
                                  "name should follow '&nbsp;', then 10 characters of closing tags");

    PublishingLeague missing;
    missing.game(245, 1, "d", "A", "1", "B", "2");
    EXPECT_EQ(stopMessage([&] { missing.publishAll(245, 1); }), "File not found: html\\boxes\\box245-1.htm");
}

} // namespace
} // namespace vr::testing
