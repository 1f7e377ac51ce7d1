// The top-25 and upset lists: one line in each for every ranked game.
#pragma once

#include "results/game_in_hand.h"
#include "snapshot/team_table.h"

#include <string_view>

namespace vr {

// A poll rank read as a whole-text number above 0 and below 26.
bool isRanked(std::string_view pollRank);

// Converts both team numbers (team 1 first), and for a ranked game sets the
// run's combined RPI and RPI gap and writes its TopResults.txt and
// Upsets.txt lines. Runs for every game: the team numbers it returns index
// the team table for the game record too.
TeamIndexes writeTop25Lines(const TeamTable& teams, const GameInHand& game, RunRpi& rpi,
                            LineWriter& topResults, LineWriter& upsets);

} // namespace vr
