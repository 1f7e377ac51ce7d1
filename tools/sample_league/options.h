// What kind of league to write: presets, command-line options, checks.
#pragma once

#include <cstdint>
#include <string>

namespace sample {

struct Options {
    std::string drive;              // the folder that stands for "C:\"
    std::string preset = "demo";
    std::uint64_t seed = 2009;      // the season's year unless given
    int season = 2009;              // the year in which the season starts
    int teams = 24;
    int first_day = 240;            // first day of the season's schedule
    int last_day = 255;             // last day of the schedule, postseason included
    int last_simulated_day = 251;   // games after this day have no result yet
    int games_per_day = 12;         // regular-season games on each day
    int bracket = -1;               // postseason teams (power of two), 0 none, -1 automatic

    // Edge cases the program's readers must cope with.
    bool tied_scores = false;
    bool missing_pbp = false;
    bool day_gap = false;
    bool game_number_gap = false;
    bool postseason_past_365 = false;
    bool odd_names = false;
    bool spaced_ranks = false;
    bool empty_box_values = false;

    // Laid over the league already there, as the game's next export is.
    bool over = false;
};

// The days on which the edge cases are placed, counted back from the last
// simulated day of the regular season (so that they fall into the program's
// default period of three days where possible).
struct SeasonShape {
    int bracket_rounds = 0;
    int regular_last_day = 0;   // last day of the regular season
    int last_played_regular = 0;  // last regular day with results (0 when none)
    int tie_day = 0;            // game 2 (or 1) of this day is drawn
    int gap_day = 0;            // no games on this day
    int missing_pbp_day = 0;    // game 3 (or the last) of this day has no play-by-play file
    int number_gap_day = 0;     // one game number is skipped on this day
};

struct ParseResult {
    Options options;
    bool help = false;
    std::string error;
};

ParseResult parse_command_line(int argc, const char* const* argv);
std::string help_text();

// Resolves automatic values and the postseason shift, and checks that the
// options describe a league that can be built. Returns an error text or "".
std::string finish_options(Options& options, SeasonShape& shape);

}  // namespace sample
