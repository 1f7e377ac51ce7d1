// The league's facts hang together: records follow the results, ranks are
// complete, dates follow the day numbers, and the edge cases appear exactly
// when they are asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "page_reading.h"

namespace pagecheck {
namespace {

void check_records(const Manifest& m) {
    std::map<std::string, std::array<int, 3>> tally;  // team number -> wins, losses, ties
    for (const auto& g : m.games) {
        if (g.status == "unplayed") continue;
        const int s1 = std::stoi(g.t1_score), s2 = std::stoi(g.t2_score);
        if (s1 == s2) {
            ++tally[g.t1][2];
            ++tally[g.t2][2];
        } else {
            ++tally[s1 > s2 ? g.t1 : g.t2][0];
            ++tally[s1 > s2 ? g.t2 : g.t1][1];
        }
    }
    for (const auto& t : m.team_lines) {
        const auto& r = tally[std::to_string(t.number)];
        std::string expected = std::to_string(r[0]) + "-" + std::to_string(r[1]);
        if (r[2] > 0) expected += "-" + std::to_string(r[2]);
        EXPECT_EQ(t.record, expected) << "team " << t.number;
    }
}

void check_ranks(const Manifest& m) {
    std::vector<int> rpi, poll;
    for (const auto& t : m.team_lines) {
        rpi.push_back(std::stoi(trim_spaces(t.rpi)));
        if (trim_spaces(t.poll) != "NR") poll.push_back(std::stoi(trim_spaces(t.poll)));
    }
    std::sort(rpi.begin(), rpi.end());
    std::sort(poll.begin(), poll.end());
    for (std::size_t i = 0; i < rpi.size(); ++i) EXPECT_EQ(rpi[i], static_cast<int>(i) + 1);
    ASSERT_EQ(poll.size(), std::min<std::size_t>(25, static_cast<std::size_t>(m.teams) / 2));
    for (std::size_t i = 0; i < poll.size(); ++i) EXPECT_EQ(poll[i], static_cast<int>(i) + 1);
}

void check_dates(const Manifest& m) {
    // One calendar day per day number, M/D/YYYY without leading zeros.
    std::map<int, std::string> dates;
    for (const auto& g : m.games) {
        auto [it, fresh] = dates.insert({g.day, g.date});
        EXPECT_EQ(it->second, g.date);
        EXPECT_NE(g.date.front(), '0');
        EXPECT_EQ(std::count(g.date.begin(), g.date.end(), '/'), 2);
    }
    for (auto it = dates.begin(); std::next(it) != dates.end(); ++it) {
        const auto next = std::next(it);
        if (next->first != it->first + 1) continue;
        const int d1 = std::stoi(it->second.substr(it->second.find('/') + 1));
        const int d2 = std::stoi(next->second.substr(next->second.find('/') + 1));
        EXPECT_TRUE(d2 == d1 + 1 || d2 == 1) << it->second << " then " << next->second;
    }
}

TEST(LeagueFacts, RecordsRanksAndDatesAreConsistent) {
    for (const TestLeague* league : {&edge_league(), &plain_league(), &postseason_league()}) {
        const Manifest& m = league->manifest;
        EXPECT_TRUE(m.clean);
        EXPECT_EQ(static_cast<int>(m.team_lines.size()), m.teams);
        check_records(m);
        check_ranks(m);
        check_dates(m);
    }
}

TEST(LeagueFacts, DemoPresetShape) {
    const Manifest& m = plain_league().manifest;
    EXPECT_EQ(m.teams, 24);
    EXPECT_EQ(m.days.size(), 12u);
    EXPECT_EQ(m.days.back().first, m.last_simulated_day);
    EXPECT_EQ(m.first_day, m.days.front().first);
}

TEST(LeagueFacts, NamesCarryEntitiesAndAccentedLetters) {
    for (const TestLeague* league : {&edge_league(), &plain_league()}) {
        bool amp = false, accent = false;
        for (const auto& t : league->manifest.team_lines) {
            amp = amp || t.name.find("&amp;") != std::string::npos;
            accent = accent || std::any_of(t.name.begin(), t.name.end(),
                                           [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        }
        EXPECT_TRUE(amp);
        EXPECT_TRUE(accent);
    }
}

struct EdgeCount {
    int ties = 0, nopbp = 0, gap_days = 0, short_days = 0;
    std::set<char> odd_characters;
};

EdgeCount count_edges(const Manifest& m) {
    EdgeCount e;
    std::map<int, int> played_on;
    for (const auto& g : m.games) {
        if (g.status == "unplayed") continue;
        ++played_on[g.day];
        if (g.t1_score == g.t2_score) ++e.ties;
        if (g.status == "played-nopbp") ++e.nopbp;
    }
    for (int day = m.first_day; day <= m.last_simulated_day; ++day)
        if (!played_on.count(day)) ++e.gap_days;
    for (const auto& [day, count] : m.days)
        if (count < played_on[day]) ++e.short_days;
    for (const auto& t : m.team_lines)
        for (char c : std::string("->=,"))
            if (t.name.find(c) != std::string::npos) e.odd_characters.insert(c);
    for (const auto& p : m.players)
        for (char c : std::string("->=,"))
            if (p.name.find(c) != std::string::npos) e.odd_characters.insert(c);
    return e;
}

TEST(LeagueFacts, EdgeCasesAppearOnlyWhenAskedFor) {
    const EdgeCount edge = count_edges(edge_league().manifest);
    EXPECT_EQ(edge.ties, 1);
    EXPECT_EQ(edge.nopbp, 1);
    EXPECT_EQ(edge.gap_days, 1);
    EXPECT_EQ(edge.short_days, 2);  // the missing file and the skipped number
    EXPECT_EQ(edge.odd_characters.size(), 4u);

    const EdgeCount plain = count_edges(plain_league().manifest);
    EXPECT_EQ(plain.ties, 0);
    EXPECT_EQ(plain.nopbp, 0);
    EXPECT_EQ(plain.gap_days, 0);
    EXPECT_EQ(plain.short_days, 0);
    EXPECT_TRUE(plain.odd_characters.empty());
}

TEST(LeagueFacts, EdgeCasesFallInTheDefaultPeriod) {
    // The tie is on the last simulated day, the gap the day before, the
    // missing file the day before that: the program's first three-day period.
    const Manifest& m = edge_league().manifest;
    const int last = m.last_simulated_day;
    for (const auto& g : m.games) {
        if (g.status == "played-nopbp") {
            EXPECT_EQ(g.day, last - 2);
        }
        if (g.status != "unplayed" && g.t1_score == g.t2_score) {
            EXPECT_EQ(g.day, last);
        }
        EXPECT_NE(g.day, last - 1);
    }
}

TEST(LeagueFacts, PostseasonPastDay365) {
    const Manifest& m = postseason_league().manifest;
    ASSERT_FALSE(m.days.empty());
    EXPECT_GT(m.days.back().first, 365);
    EXPECT_EQ(m.last_simulated_day, 366);
    int after = 0;
    for (const auto& g : m.games)
        if (g.day > 365 && g.status == "played") ++after;
    EXPECT_EQ(after, 8);  // the first round of a 16-team bracket
}

}  // namespace
}  // namespace pagecheck
