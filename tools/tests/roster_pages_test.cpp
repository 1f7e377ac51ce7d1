// Roster pages: the marker lines the program searches for, in the order it
// searches, and the values it cuts from them.
#include <gtest/gtest.h>

#include "page_reading.h"

namespace pagecheck {
namespace {

struct RosterCut {
    std::string name, color1, color2, logo, logo_line, record, poll, rpi;
    bool complete = false;
};

// Reads a roster page the way the program does: line 2, then each marker
// searched from the line after the previous one.
RosterCut cut_roster(const std::vector<std::string>& lines) {
    RosterCut cut;
    std::size_t i = 0;
    auto next = [&](auto test) {
        while (i < lines.size() && !test(lines[i])) ++i;
        return i < lines.size() ? &lines[i++] : nullptr;
    };
    if (lines.size() < 2) return cut;
    cut.name = drop_last(drop_first(lines[1], 7), 8);
    i = 2;
    const std::string* colour = next([](const std::string& l) { return take(l, 1, 15) == "   tr.teamcolor"; });
    if (!colour) return cut;
    cut.color1 = take(*colour, 30, 7);
    cut.color2 = take(*colour, 46, 7);
    const std::string* logo = next([](const std::string& l) { return ends_with(l, "width=75 height=75></td>"); });
    if (!logo || i + 1 >= lines.size()) return cut;
    cut.logo_line = *logo;
    cut.logo = drop_first(drop_last(*logo, 25), 58);
    const std::string record_line = drop_last(lines[i + 1], 6);
    i += 2;
    const auto colon = record_line.rfind(':');
    for (char c : colon == std::string::npos ? record_line : record_line.substr(colon + 1))
        if (c != ' ') cut.record += c;
    const std::string* poll = next([](const std::string& l) { return take(l, 29, 18) == "Current Poll Rank:"; });
    if (!poll) return cut;
    cut.poll = drop_first(drop_last(*poll, 5), 66);
    const std::string* rpi = next([](const std::string& l) { return take(l, 33, 17) == "Current RPI Rank:"; });
    if (!rpi) return cut;
    cut.rpi = drop_first(drop_last(*rpi, 5), 77);
    cut.complete = i < lines.size();  // the line after the RPI line is read too
    return cut;
}

void check_rosters(const TestLeague& league) {
    const Manifest& m = league.manifest;
    ASSERT_EQ(m.team_lines.size(), static_cast<std::size_t>(m.teams));
    for (const ManifestTeam& team : m.team_lines) {
        SCOPED_TRACE("roster" + std::to_string(team.number));
        const Lines page = read_lines(league.folder / "html" / "rosters" / ("roster" + std::to_string(team.number) + ".htm"));
        EXPECT_TRUE(page.clean) << "every line must end in CR LF";
        const RosterCut cut = cut_roster(page.lines);
        ASSERT_TRUE(cut.complete);
        EXPECT_GE(cut.logo_line.size(), 83u);
        EXPECT_GE(page.lines[1].size(), 15u);
        EXPECT_EQ(cut.name, team.name);
        EXPECT_EQ(cut.color1, team.color1);
        EXPECT_EQ(cut.color2, team.color2);
        EXPECT_EQ(cut.logo, team.logo);
        EXPECT_FALSE(cut.logo.empty());
        EXPECT_EQ(cut.record, team.record);
        EXPECT_EQ(cut.poll, team.poll);
        EXPECT_EQ(cut.rpi, team.rpi);
    }
}

TEST(RosterPages, MarkerLinesGiveTheManifestValues) {
    check_rosters(edge_league());
    check_rosters(plain_league());
    check_rosters(postseason_league());
}

TEST(RosterPages, RanksAreCutWithTheirSpacesUnderTheSwitch) {
    bool spaced = false;
    for (const auto& t : edge_league().manifest.team_lines)
        spaced = spaced || (t.poll.front() == ' ' && t.poll.back() == ' ' && t.rpi.front() == ' ');
    EXPECT_TRUE(spaced);
    for (const auto& t : plain_league().manifest.team_lines) {
        EXPECT_EQ(t.poll, trim_spaces(t.poll));
        EXPECT_EQ(t.rpi, trim_spaces(t.rpi));
    }
}

TEST(RosterPages, SizeIsAboutFifteenKilobytes) {
    const auto& league = plain_league();
    std::uintmax_t total = 0;
    for (int n = 1; n <= league.manifest.teams; ++n)
        total += fs::file_size(league.folder / "html" / "rosters" / ("roster" + std::to_string(n) + ".htm"));
    const auto average = total / static_cast<std::uintmax_t>(league.manifest.teams);
    EXPECT_GT(average, 10000u);
    EXPECT_LT(average, 25000u);
}

}  // namespace
}  // namespace pagecheck
