// Plays one game: the score and both teams' box score lines.
#pragma once

#include "league.h"

namespace sample {

// Fills the game's scores, halves, box lines and player of the game from
// its own seed. A drawn game is only made when `force_tie` is set;
// otherwise level scores go to overtime.
void play_game(Game& game, const Team& team1, const Team& team2, bool force_tie);

}  // namespace sample
