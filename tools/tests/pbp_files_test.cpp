// Play-by-play files: which exist (the program's probe counts them), and the
// "Player of the Game:" line near the end of each.
#include <gtest/gtest.h>

#include <set>

#include "page_reading.h"

namespace pagecheck {
namespace {

fs::path pbp(const TestLeague& league, int day, int game) {
    return league.folder / "pbp" / (std::to_string(day) + "-" + std::to_string(game) + ".txt");
}

// The probe: days 200 to 400 with a game 1 file, and for each the games in
// a row from 1 that have one.
std::vector<std::pair<int, int>> probe(const TestLeague& league) {
    std::vector<std::pair<int, int>> days;
    for (int day = 200; day <= 400; ++day) {
        int count = 0;
        while (count < 300 && fs::exists(pbp(league, day, count + 1))) ++count;
        if (count > 0) days.push_back({day, count});
    }
    return days;
}

void check_pbp(const TestLeague& league) {
    EXPECT_EQ(probe(league), league.manifest.days);
    std::size_t files = 0;
    for (const ManifestGame& g : league.manifest.games) {
        const fs::path file = pbp(league, g.day, g.number);
        SCOPED_TRACE(file.filename().string());
        ASSERT_EQ(fs::exists(file), g.status == "played");
        if (g.status != "played") {
            EXPECT_TRUE(g.pog.empty() && g.pog_team.empty());
            continue;
        }
        ++files;
        const Lines lines = read_lines(file);
        EXPECT_TRUE(lines.clean);
        std::size_t at = 0;
        while (at < lines.lines.size() && take(lines.lines[at], 1, 19) != "Player of the Game:") ++at;
        ASSERT_LT(at, lines.lines.size());
        EXPECT_GT(at + 10, lines.lines.size()) << "the line stands near the end";
        const std::string rest = trim_spaces(drop_first(lines.lines[at], 20));
        // Cut at the first " - ", else at the first "-".
        auto dash = rest.find(" - ");
        dash = dash == std::string::npos ? rest.find('-') : dash + 1;
        ASSERT_NE(dash, std::string::npos);
        EXPECT_EQ(trim_spaces(rest.substr(0, dash)), g.pog);
        EXPECT_EQ(trim_spaces(rest.substr(dash + 1)), g.pog_team);
    }
    // No files beyond those of the manifest's games.
    std::size_t on_disk = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(league.folder / "pbp")) ++on_disk;
    EXPECT_EQ(on_disk, files);
}

TEST(PlayByPlayFiles, ExistForPlayedGamesAndNameThePlayerOfTheGame) {
    check_pbp(edge_league());
    check_pbp(plain_league());
    check_pbp(postseason_league());
}

TEST(PlayByPlayFiles, MissingFileShortensTheProbedDay) {
    const auto& league = edge_league();
    int nopbp = 0;
    for (const auto& g : league.manifest.games) {
        if (g.status != "played-nopbp") continue;
        ++nopbp;
        EXPECT_TRUE(fs::exists(league.folder / "html" / "boxes" /
                               ("box" + std::to_string(g.day) + "-" + std::to_string(g.number) + ".htm")));
        for (const auto& [day, count] : league.manifest.days)
            if (day == g.day) {
                EXPECT_EQ(count, g.number - 1);
            }
    }
    EXPECT_EQ(nopbp, 1);
}

TEST(PlayByPlayFiles, HyphenatedPlayerStaysWhole) {
    // With --odd-names some stars have hyphenated names; the " - " before
    // the team cuts the line, so the name and the team text stay whole.
    auto plain = [](std::string s) {
        for (std::size_t at; (at = s.find("&amp;")) != std::string::npos;) s.replace(at, 5, "&");
        return s;
    };
    int hyphenated = 0;
    for (const auto& g : edge_league().manifest.games) {
        if (g.pog.find('-') == std::string::npos) continue;
        ++hyphenated;
        EXPECT_TRUE(g.pog_team == plain(g.t1_name) || g.pog_team == plain(g.t2_name)) << g.pog_team;
    }
    EXPECT_GT(hyphenated, 0);
    for (const auto& g : plain_league().manifest.games) EXPECT_EQ(g.pog_team.find('-'), std::string::npos);
}

TEST(PlayByPlayFiles, AreAboutTwentyFiveKilobytes) {
    const auto& league = plain_league();
    std::uintmax_t total = 0, count = 0;
    for (const auto& entry : fs::directory_iterator(league.folder / "pbp")) {
        total += entry.file_size();
        ++count;
    }
    ASSERT_GT(count, 0u);
    EXPECT_GT(total / count, 20000u);
    EXPECT_LT(total / count, 32000u);
}

}  // namespace
}  // namespace pagecheck
