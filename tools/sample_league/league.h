// The sample league as the generator builds it before any page is written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "options.h"

namespace sample {

struct Player {
    std::string name;        // as the pages show it (Windows-1252 bytes)
    std::string short_name;  // initial and last name, for play-by-play lines
    char position = 'G';
    int year = 1;            // 1 freshman .. 4 senior
    int jersey = 0;
    int height_in = 75;
    int weight = 200;
    int id = 0;              // league-wide, used in links
    double scoring = 1.0, rebounding = 1.0, passing = 1.0, playing_time = 1.0;
    // Season totals through the last simulated day.
    int games = 0, minutes = 0, points = 0, rebounds = 0, assists = 0;
    int fgm = 0, fga = 0, tpm = 0, tpa = 0, ftm = 0, fta = 0;
};

struct Team {
    int number = 0;          // 1..team count, the N of roster<N>.htm
    std::string name;        // as the pages show it ("&amp;" for "&")
    std::string plain_name;  // as text files show it
    std::string nickname;
    std::string arena;
    std::string color1, color2;  // "#RRGGBB"
    std::string logo;
    int conference = 0;
    double strength = 0.0;
    std::vector<Player> players;
    // Through the last simulated day.
    int wins = 0, losses = 0, ties = 0, conf_wins = 0, conf_losses = 0;
    double rpi = 0.0;
    int poll_rank = 0;       // 0: not ranked ("NR")
    int rpi_rank = 0;
    std::string poll_text;   // as the roster page shows them
    std::string rpi_text;
};

// One player's line in a box score.
struct StatLine {
    int player = 0;          // index into the team's players
    bool played = false;
    int minutes = 0, fgm = 0, fga = 0, tpm = 0, tpa = 0, ftm = 0, fta = 0;
    int oreb = 0, reb = 0, ast = 0, stl = 0, blk = 0, tov = 0, pf = 0, pts = 0;
};

struct Game {
    int day = 0;
    int number = 0;          // game number within the day, as in file names
    int team1 = 0, team2 = 0;  // team numbers; team 2 is the home side
    bool conference = false;
    bool postseason = false;
    bool played = false;
    bool has_pbp = false;
    int score1 = 0, score2 = 0;
    int half1_1 = 0, half1_2 = 0;  // first-half scores
    int regulation1 = 0, regulation2 = 0;  // scores after 40 minutes
    int overtimes = 0;
    std::vector<StatLine> box1, box2;
    int pog_side = 0;        // 1 or 2
    int pog_player = 0;      // index into that team's players
    std::uint64_t seed = 0;  // stream for this game's text details
};

struct League {
    Options options;
    SeasonShape shape;
    std::vector<std::string> conferences;
    std::vector<Team> teams;   // teams[n - 1] is team n
    std::vector<Game> games;   // in schedule page order (day, then number)

    Team& team(int number) { return teams[static_cast<std::size_t>(number - 1)]; }
    const Team& team(int number) const { return teams[static_cast<std::size_t>(number - 1)]; }
};

// Builds teams, schedule, results, records and ranks.
League build_league(const Options& options, const SeasonShape& shape);

}  // namespace sample
