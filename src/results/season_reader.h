// Reading the season: every played game of the schedule page into the game
// table, each handed on to the player of the game lookup, the top-25 lists
// and the game record file, in page order.
#pragma once

#include "league/league_folder.h"
#include "results/game_table.h"
#include "results/play_by_play_index.h"
#include "snapshot/team_table.h"

#include <vector>

namespace vr {

struct SeasonFiles {
    LineWriter& test;
    LineWriter& topResults;
    LineWriter& upsets;
};

// A game by its day and number.
struct GameKey {
    long day = 0;
    long number = 0;
};

// With an index, unchanged play-by-play files are not read again. With
// `withoutPlayByPlay`, the played games whose play-by-play file is missing
// are added to it, in page order.
void readSeason(LeagueFolder& league, const TeamTable& teams, GameTable& games, SeasonFiles files,
                PlayByPlayIndex* index = nullptr, std::vector<GameKey>* withoutPlayByPlay = nullptr);

} // namespace vr
