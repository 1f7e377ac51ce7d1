// Writes a whole sample league and its manifest under a drive folder.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "league.h"
#include "options.h"

namespace sample {

// DIR/Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen
std::filesystem::path league_folder(const std::filesystem::path& drive);

struct Written {
    std::size_t files = 0;
    std::size_t bytes = 0;
    int played_games = 0;
    int unplayed_games = 0;
};

// Builds the league from finished options (see finish_options) and writes
// it. The league folder's pbp, html/boxes and html/rosters folders are
// emptied first so that no file of an earlier league is left behind.
// Throws std::runtime_error when a file cannot be written.
Written generate(const Options& options, const SeasonShape& shape, int threads = 2);

// The same, from a league already built.
Written write_league(const League& league, int threads = 2);

}  // namespace sample
