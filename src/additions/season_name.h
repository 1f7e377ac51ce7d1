// Seasons of the archive, named by the years their dates run over: a
// college season starts in the autumn and ends in the spring, so a date
// from July on belongs to the season that starts that year ("11/14/2009"
// and "3/2/2010" both give "2009-10").
#pragma once

#include "results/game_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace vr {

// The season of a game date as the schedule writes it (month/day/year);
// "" for a text that is no such date.
std::string seasonOfDate(std::string_view date);

// The season of the league's games: that of the first dated game of the
// table, which holds every played game from the season's first day on.
std::string seasonOfGames(const GameTable& games);

// Season names, newest first; names that are no years come last.
void sortNewestFirst(std::vector<std::string>& seasons);

} // namespace vr
