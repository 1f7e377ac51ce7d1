// The schedule page, walked as the program walks it: the header line, five
// lines, then groups of 11 lines and game rows of 6, up to the first row
// whose result cell is the end line.
#include <gtest/gtest.h>

#include "page_reading.h"

namespace pagecheck {
namespace {

constexpr std::string_view kHeader = "       <td class=header width=75>&nbsp;Date</td>";
constexpr std::string_view kEndLine = "       <td class=main></font></td>";

struct Row {
    std::string date, link, day, number;
    std::string t1, t1_name, t1_link, s1;
    std::string t2, t2_name, t2_link, s2;
    bool played = true;
};

struct Walk {
    std::vector<Row> rows;  // played rows, then (past the end line) unplayed ones
    int close_row_groups = 0, table_groups = 0;
    bool found_header = false, ran_out = false, saw_end_line = false;
};

void cut_team(const std::string& cell, std::string& number, std::string& name, std::string& link) {
    const std::string rest = drop_first(drop_last(cell, 16), 48);
    const auto gt = rest.find('>');
    name = rest.substr(gt + 1);
    link = drop_last(rest.substr(0, gt), 1);
    const std::string shorter = drop_last(link, 4);
    number = shorter.substr(shorter.rfind('r') + 1);
}

Row cut_row(const std::vector<std::string>& lines, std::size_t i) {
    Row row;
    const std::string date = drop_last(lines[i + 1], 12);
    row.date = date.substr(date.find(';') + 1);
    cut_team(lines[i + 2], row.t1, row.t1_name, row.t1_link);
    cut_team(lines[i + 3], row.t2, row.t2_name, row.t2_link);
    if (lines[i + 4] == kEndLine) {
        row.played = false;
        return row;
    }
    std::string result = drop_last(lines[i + 4], 16);
    const auto dash = result.rfind('-');
    row.s2 = result.substr(dash + 1);
    result = result.substr(0, dash);
    const auto gt = result.rfind('>');
    row.s1 = result.substr(gt + 1);
    result = result.substr(0, gt);
    row.link = result.substr(result.rfind('=') + 1);
    const auto link_dash = row.link.find('-');
    row.number = drop_last(row.link, 4).substr(link_dash + 1);
    row.day = drop_last(drop_first(row.link, 11), 5 + row.number.size());
    return row;
}

// Past the end line the program stops; the walk goes on over the unplayed
// rows so that they can be checked too.
Walk walk(const std::vector<std::string>& lines) {
    Walk w;
    std::size_t i = 0;
    while (i < lines.size() && lines[i] != kHeader) ++i;
    if (i == lines.size()) return w;
    w.found_header = true;
    i += 6;
    while (i < lines.size()) {
        if (lines[i] == "   </tr>") {
            ++w.close_row_groups;
            i += 11;
        } else if (i + 1 < lines.size() && lines[i + 1] == "</table>") {
            ++w.table_groups;
            i += 11;
        } else {
            if (i + 5 >= lines.size()) {
                w.ran_out = true;
                return w;
            }
            Row row = cut_row(lines, i);
            if (!row.played) w.saw_end_line = true;
            if (row.played && w.saw_end_line) {
                ADD_FAILURE() << "a played row after the end line, line " << i + 1;
            }
            w.rows.push_back(row);
            i += 6;
        }
    }
    if (i != lines.size()) w.ran_out = true;
    return w;
}

void check_schedule(const TestLeague& league) {
    const Lines page = read_lines(league.folder / "html" / "leagueschedule.htm");
    EXPECT_TRUE(page.clean);
    const Walk w = walk(page.lines);
    ASSERT_TRUE(w.found_header);
    EXPECT_FALSE(w.ran_out) << "the page must end where a group would start";
    EXPECT_GT(w.close_row_groups, 0);
    EXPECT_GT(w.table_groups, 0);

    const auto& games = league.manifest.games;
    ASSERT_EQ(w.rows.size(), games.size());
    bool any_unplayed = false;
    for (std::size_t k = 0; k < games.size(); ++k) {
        const Row& row = w.rows[k];
        const ManifestGame& g = games[k];
        SCOPED_TRACE("game " + std::to_string(g.day) + "-" + std::to_string(g.number));
        EXPECT_EQ(row.date, g.date);
        EXPECT_EQ(row.t1, g.t1);
        EXPECT_EQ(row.t1_name, g.t1_name);
        EXPECT_EQ(row.t1_link, "rosters/roster" + g.t1 + ".htm");
        EXPECT_EQ(row.t2, g.t2);
        EXPECT_EQ(row.t2_name, g.t2_name);
        EXPECT_EQ(row.t2_link, "rosters/roster" + g.t2 + ".htm");
        EXPECT_EQ(row.played, g.status != "unplayed");
        if (row.played) {
            EXPECT_FALSE(any_unplayed);
            EXPECT_EQ(row.s1, g.t1_score);
            EXPECT_EQ(row.s2, g.t2_score);
            EXPECT_EQ(row.day, std::to_string(g.day));
            EXPECT_EQ(row.number, std::to_string(g.number));
            EXPECT_EQ(row.link, "./boxes/box" + row.day + "-" + row.number + ".htm");
        }
        any_unplayed = any_unplayed || !row.played;
    }
}

TEST(SchedulePage, RowsCutToTheManifestGamesInPageOrder) {
    check_schedule(edge_league());
    check_schedule(plain_league());
    check_schedule(postseason_league());
}

TEST(SchedulePage, UnplayedRowsCloseTheScheduleUnlessAllIsPlayed) {
    for (const TestLeague* league : {&edge_league(), &plain_league(), &postseason_league()}) {
        const auto& games = league->manifest.games;
        ASSERT_FALSE(games.empty());
        EXPECT_EQ(games.back().status, "unplayed");
    }
    // Everything played: no end line, the page just ends.
    const TestLeague all = make_league("all-played", {"--teams", "10", "--games-per-day", "5", "--first-day", "300",
                                                      "--last-day", "306", "--last-simulated-day", "306"});
    for (const auto& g : all.manifest.games) EXPECT_NE(g.status, "unplayed");
    const Walk w = walk(read_lines(all.folder / "html" / "leagueschedule.htm").lines);
    EXPECT_FALSE(w.saw_end_line);
    EXPECT_FALSE(w.ran_out);
    EXPECT_EQ(w.rows.size(), all.manifest.games.size());
}

}  // namespace
}  // namespace pagecheck
