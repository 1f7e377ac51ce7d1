// The player of the game, looked up in the game's play-by-play file.
#pragma once

#include "league/league_folder.h"
#include "league/play_by_play_name.h"
#include "results/game_in_hand.h"

#include <string>
#include <string_view>

namespace vr {

// Sets the entry's player of the game and its team text from the first
// "Player of the Game:" line, cut at its first " - " (else its first "-").
// A missing file leaves both fields as they were.
// True when the file was there (and the fields set).
bool lookUpPlayerOfTheGame(LeagueFolder& league, const GameInHand& game);

} // namespace vr
