// Reading the season: every played game of the schedule page into the game
// table, each handed on to the player of the game lookup, the top-25 lists
// and the game record file, in page order.
#pragma once

#include "league/league_folder.h"
#include "results/game_table.h"
#include "snapshot/team_table.h"

namespace vr {

struct SeasonFiles {
    LineWriter& test;
    LineWriter& topResults;
    LineWriter& upsets;
};

void readSeason(LeagueFolder& league, const TeamTable& teams, GameTable& games, SeasonFiles files);

} // namespace vr
