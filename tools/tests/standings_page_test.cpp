// The standings page: one line of the fixed form per team, the link text
// in the last part of the line.
#include <gtest/gtest.h>

#include <algorithm>

#include "page_reading.h"

namespace pagecheck {
namespace {

constexpr std::string_view kPrefix = "       <td class=main align=left>&nbsp;<a class=link";

std::vector<std::string> cut_standings(const fs::path& page) {
    std::vector<std::string> names;
    for (const std::string& line : read_lines(page).lines) {
        if (take(line, 1, 52) != kPrefix) continue;
        const std::string rest = drop_last(line, 9);
        names.push_back(rest.substr(rest.rfind('>') + 1));
    }
    return names;
}

void check_standings(const TestLeague& league) {
    const fs::path page = league.folder / "html" / "standings.htm";
    EXPECT_TRUE(read_lines(page).clean);
    std::vector<std::string> cut = cut_standings(page);
    std::vector<std::string> expected;
    for (const auto& t : league.manifest.team_lines) expected.push_back(t.standings);
    ASSERT_EQ(cut.size(), static_cast<std::size_t>(league.manifest.teams)) << "one standings line per team";
    std::sort(cut.begin(), cut.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(cut, expected);
}

TEST(StandingsPage, OneLinePerTeamGivingTheManifestLinkTexts) {
    check_standings(edge_league());
    check_standings(plain_league());
    check_standings(postseason_league());
}

TEST(StandingsPage, NameWithGreaterThanIsCutAfterIt) {
    // --odd-names gives team 3 a name with '>': the standings keep its end.
    const auto& team = edge_league().manifest.team_lines.at(2);
    ASSERT_NE(team.name.find('>'), std::string::npos);
    EXPECT_EQ(team.standings, team.name.substr(team.name.rfind('>') + 1));
}

TEST(StandingsPage, HasNearMissLinesTheProgramMustSkip) {
    int near = 0;
    for (const std::string& line : read_lines(plain_league().folder / "html" / "standings.htm").lines)
        if (line.find("<td class=main align=left>&nbsp;<a class=link") != std::string::npos &&
            take(line, 1, 52) != kPrefix)
            ++near;
    EXPECT_GT(near, 0);
}

}  // namespace
}  // namespace pagecheck
