// The command line: presets, overrides, and the checks that keep a league
// buildable.
#include <gtest/gtest.h>

#include "sample_league/calendar.h"
#include "sample_league/options.h"

namespace {

sample::ParseResult parse(std::vector<std::string> args) {
    args.insert(args.begin(), "make-sample-league");
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    return sample::parse_command_line(static_cast<int>(argv.size()), argv.data());
}

TEST(Options, PresetsAndOverridesInAnyOrder) {
    auto full = parse({"--teams", "300", "--preset", "full", "--drive", "/tmp/d"});
    ASSERT_EQ(full.error, "");
    EXPECT_EQ(full.options.teams, 300);  // the preset is applied first
    EXPECT_EQ(full.options.first_day, 240);
    EXPECT_EQ(full.options.last_simulated_day, 370);

    sample::SeasonShape shape;
    auto o = full.options;
    o.teams = 360;
    ASSERT_EQ(sample::finish_options(o, shape), "");
    EXPECT_EQ(o.bracket, 64);
    EXPECT_EQ(shape.regular_last_day, 365);

    auto demo = parse({"--drive", "/tmp/d"});
    ASSERT_EQ(demo.error, "");
    sample::Options d = demo.options;
    ASSERT_EQ(sample::finish_options(d, shape), "");
    EXPECT_EQ(d.teams, 24);
    EXPECT_EQ(d.bracket, 4);
    EXPECT_EQ(d.last_simulated_day - d.first_day + 1, 12);
}

TEST(Options, Errors) {
    EXPECT_NE(parse({}).error, "");                                      // no drive
    EXPECT_NE(parse({"--drive", "/d", "--preset", "huge"}).error, "");
    EXPECT_NE(parse({"--drive", "/d", "--teams"}).error, "");          // missing value
    EXPECT_NE(parse({"--drive", "/d", "--teams", "x"}).error, "");
    EXPECT_NE(parse({"--drive", "/d", "--colour"}).error, "");
    EXPECT_TRUE(parse({"--help"}).help);

    sample::SeasonShape shape;
    auto check = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--drive", "/d"});
        auto p = parse(args);
        EXPECT_EQ(p.error, "");
        return sample::finish_options(p.options, shape);
    };
    EXPECT_NE(check({"--games-per-day", "13"}), "");  // 24 teams play 12 games a day at most
    EXPECT_NE(check({"--bracket", "6"}), "");
    EXPECT_NE(check({"--bracket", "64"}), "");
    EXPECT_NE(check({"--first-day", "250", "--last-day", "251"}), "");  // no room for the bracket
    EXPECT_NE(check({"--last-simulated-day", "241", "--game-number-gap"}), "");
    EXPECT_EQ(check({"--last-simulated-day", "243", "--game-number-gap"}), "");
}

TEST(Options, TheSeasonDatesTheDaysAndSeedsTheLeague) {
    auto first = parse({"--drive", "/d"});
    auto next = parse({"--drive", "/d", "--season", "2010"});
    auto seeded = parse({"--season", "2010", "--seed", "7", "--drive", "/d"});
    ASSERT_EQ(next.error, "");
    EXPECT_EQ(first.options.season, 2009);
    EXPECT_EQ(first.options.seed, 2009u);
    EXPECT_EQ(next.options.seed, 2010u);
    EXPECT_EQ(seeded.options.seed, 7u);
    sample::SeasonShape shape;
    auto bad = parse({"--drive", "/d", "--season", "99"});
    EXPECT_NE(sample::finish_options(bad.options, shape), "");

    sample::set_season(2010);
    EXPECT_EQ(sample::date_text(240), "11/9/2010");
    EXPECT_EQ(sample::long_date_text(292), "Friday, December 31, 2010");
    EXPECT_EQ(sample::date_text(293), "1/1/2011");
    sample::set_season(2009);
    EXPECT_EQ(sample::long_date_text(240), "Monday, November 9, 2009");
}

TEST(Options, EdgeDaysCountBackFromTheLastSimulatedRegularDay) {
    auto p = parse({"--drive", "/d", "--all-edge-cases"});
    ASSERT_EQ(p.error, "");
    sample::SeasonShape shape;
    ASSERT_EQ(sample::finish_options(p.options, shape), "");
    EXPECT_EQ(shape.tie_day, 251);
    EXPECT_EQ(shape.gap_day, 250);
    EXPECT_EQ(shape.missing_pbp_day, 249);
    EXPECT_EQ(shape.number_gap_day, 248);
    EXPECT_FALSE(p.options.postseason_past_365);
}

TEST(Options, PostseasonPast365MovesTheSeason) {
    auto p = parse({"--drive", "/d", "--postseason-past-365"});
    sample::SeasonShape shape;
    ASSERT_EQ(sample::finish_options(p.options, shape), "");
    EXPECT_EQ(shape.regular_last_day, 365);
    EXPECT_EQ(p.options.last_day, 367);  // two rounds for four teams
    EXPECT_EQ(p.options.last_simulated_day, 366);
    EXPECT_EQ(p.options.last_day - p.options.first_day, 255 - 240);
}

}  // namespace
