// Who won a game: the two scores compared by their leading numbers (an empty
// score is 0, "78 OT" is 78). The digest's result line and the scoreboard's
// winner and loser cells must agree, so both ask here. Never a stop.
#pragma once

#include "results/game_table.h"
#include "snapshot/team_table.h"

#include <string_view>

namespace vr {

enum class GameOutcome { Team1Won, Team2Won, Tied };

GameOutcome compareScores(std::string_view team1Score, std::string_view team2Score);

inline GameOutcome outcomeOf(const GameEntry& game) {
    return compareScores(game.team1Score(), game.team2Score());
}

// The team table entry of a game's team number. The empty number of a game
// the schedule did not list counts as team 0 (empty profile); any other text
// must be a whole number in 0..5000.
const TeamProfile& teamOf(const TeamTable& teams, std::string_view teamNumber);

} // namespace vr
