// The box score reader: every box score page of the period walk, each team
// block's header and player lines to Test.txt, each player's rebounds,
// assists and points offered to the leader lists.
#pragma once

#include "league/league_folder.h"
#include "results/league_state.h"
#include "results/period.h"
#include "text/line_reader.h"
#include "text/line_writer.h"

namespace vr {

// Reads html\boxes\box<day>-<game>.htm for each game of the period walk.
void readBoxScores(LeagueFolder& league, LeagueState& state, const Period& period, LineWriter& test);

// One open box score page of game (day, game); the game date labels the
// leaders it makes.
void readBoxScorePage(LineReader& page, std::string_view gameDate, LeaderLists& leaders,
                      LineWriter& test);

} // namespace vr
