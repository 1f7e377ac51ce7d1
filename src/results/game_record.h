// The game record: twenty lines per game in Test.txt.
#pragma once

#include "results/game_in_hand.h"
#include "snapshot/team_table.h"

namespace vr {

// Sets the game's top 25 game flag, then writes its record.
void writeGameRecord(const TeamTable& teams, const GameInHand& game, TeamIndexes indexes,
                     const RunRpi& rpi, LineWriter& test);

} // namespace vr
