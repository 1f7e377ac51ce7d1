// Box score pages, read as the program reads them: two team blocks, each a
// team header line, player rows with their fifteen following lines, and a
// totals row.
#include <gtest/gtest.h>

#include <map>

#include "page_reading.h"

namespace pagecheck {
namespace {

constexpr std::string_view kTeamMarker = "   <tr><td class=tableheader colspan=14>&nbsp;";
constexpr std::string_view kPlayerMarker = "       <td class=main align=left>&nbsp;<a class=";
constexpr std::string_view kValueStart = "       <td class=main>&nbsp;";

struct BoxPlayer {
    std::string team, name;
    int points = 0, rebounds = 0, assists = 0;
    int block = 0;
};

struct BoxWalk {
    std::vector<BoxPlayer> players;
    std::vector<std::string> teams;
    int totals_rows = 0;
    int odd_values = 0;  // value cells that are empty or '-'
    bool ok = true;
    std::string problem;
};

bool value_line(const std::string& line, int& value, BoxWalk& w) {
    // 28 characters of markup, the value (digits, '-' or nothing), 5
    // closing characters.
    if (!starts_with(line, kValueStart) || !ends_with(line, "</td>") || line.size() < 33) return false;
    const std::string text = drop_first(drop_last(line, 5), 28);
    if (text.empty() || text == "-") ++w.odd_values;
    for (char c : text)
        if (!(c >= '0' && c <= '9') && text != "-") return false;
    value = leading_number(text);
    return true;
}

BoxWalk walk_box(const std::vector<std::string>& lines) {
    BoxWalk w;
    auto fail = [&](std::string why) {
        w.ok = false;
        w.problem = std::move(why);
        return w;
    };
    std::size_t i = 0;
    std::string team;
    for (int count = 1; count <= 2; ++count) {
        while (i < lines.size() && !starts_with(lines[i], kTeamMarker)) ++i;
        if (i == lines.size()) return fail("no team header for block " + std::to_string(count));
        team = drop_last(drop_first(lines[i], 46), 10);
        w.teams.push_back(team);
        ++i;
        for (;;) {
            if (i >= lines.size()) return fail("page ended inside a team block");
            const std::string& line = lines[i++];
            if (starts_with(line, kTeamMarker)) return fail("team header without a totals row before it");
            if (take(line, 1, 48) != kPlayerMarker) continue;
            if (ends_with(line, "Totals</td>")) {
                ++w.totals_rows;
                break;
            }
            if (line.size() < 89) return fail("short player row: " + line);
            const std::string inner = drop_last(drop_first(line, 80), 9);
            const auto gt = inner.find('>');
            if (gt == std::string::npos) return fail("no '>' after character 80: " + line);
            if (i + 15 > lines.size()) return fail("fewer than 15 lines after a player row");
            BoxPlayer p;
            p.team = team;
            p.block = count - 1;
            p.name = inner.substr(gt + 1);
            // Line k after the player row is lines[i + k - 1].
            if (!value_line(lines[i + 6], p.rebounds, w) || !value_line(lines[i + 7], p.assists, w) ||
                !value_line(lines[i + 12], p.points, w))
                return fail("value line of the wrong shape after " + line);
            w.players.push_back(p);
            i += 15;
        }
    }
    return w;
}

void check_boxes(const TestLeague& league) {
    std::map<std::pair<int, int>, std::vector<const ManifestPlayer*>> by_game;
    for (const auto& p : league.manifest.players) by_game[{p.day, p.number}].push_back(&p);

    int pages = 0;
    for (const ManifestGame& g : league.manifest.games) {
        const std::string stem = std::to_string(g.day) + "-" + std::to_string(g.number);
        const fs::path page = league.folder / "html" / "boxes" / ("box" + stem + ".htm");
        if (g.status == "unplayed") {
            EXPECT_FALSE(fs::exists(page)) << stem;
            EXPECT_EQ(by_game.count({g.day, g.number}), 0u);
            continue;
        }
        SCOPED_TRACE("box" + stem);
        ++pages;
        const Lines lines = read_lines(page);
        EXPECT_TRUE(lines.clean);
        const BoxWalk w = walk_box(lines.lines);
        ASSERT_TRUE(w.ok) << w.problem;
        ASSERT_EQ(w.teams.size(), 2u);
        EXPECT_EQ(w.totals_rows, 2);
        EXPECT_EQ(w.teams[0], g.t1_name);
        EXPECT_EQ(w.teams[1], g.t2_name);

        const auto& expected = by_game[{g.day, g.number}];
        ASSERT_EQ(w.players.size(), expected.size());
        int points[2] = {0, 0};
        for (std::size_t k = 0; k < expected.size(); ++k) {
            EXPECT_EQ(w.players[k].team, expected[k]->team);
            EXPECT_EQ(w.players[k].name, expected[k]->name);
            EXPECT_EQ(w.players[k].points, expected[k]->points);
            EXPECT_EQ(w.players[k].rebounds, expected[k]->rebounds);
            EXPECT_EQ(w.players[k].assists, expected[k]->assists);
            points[w.players[k].block] += w.players[k].points;
        }
        // Players' points add up to the team scores.
        EXPECT_EQ(std::to_string(points[0]), g.t1_score);
        EXPECT_EQ(std::to_string(points[1]), g.t2_score);
    }
    EXPECT_GT(pages, 0);
}

TEST(BoxPages, TwoTeamBlocksWhosePlayersMatchTheManifest) {
    check_boxes(edge_league());
    check_boxes(plain_league());
    check_boxes(postseason_league());
}

TEST(BoxPages, EmptyValuesOnlyUnderTheSwitch) {
    auto odd_values = [](const TestLeague& league) {
        int odd = 0;
        for (const auto& g : league.manifest.games) {
            if (g.status == "unplayed") continue;
            const std::string stem = std::to_string(g.day) + "-" + std::to_string(g.number);
            odd += walk_box(read_lines(league.folder / "html" / "boxes" / ("box" + stem + ".htm")).lines).odd_values;
        }
        return odd;
    };
    EXPECT_GT(odd_values(edge_league()), 0);
    EXPECT_EQ(odd_values(plain_league()), 0);
}

TEST(BoxPages, HaveMarkupBeforeTheFirstTeamAndAreAboutTwentyKilobytes) {
    const auto& league = plain_league();
    const ManifestGame& g = league.manifest.games.front();
    const fs::path page = league.folder / "html" / "boxes" / ("box" + std::to_string(g.day) + "-" + std::to_string(g.number) + ".htm");
    const Lines lines = read_lines(page);
    std::size_t first_header = 0;
    while (!starts_with(lines.lines[first_header], kTeamMarker)) ++first_header;
    EXPECT_GT(first_header, 20u);
    EXPECT_GT(fs::file_size(page), 15000u);
    EXPECT_LT(fs::file_size(page), 30000u);
}

}  // namespace
}  // namespace pagecheck
