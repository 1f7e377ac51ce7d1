// The player of the game, looked up in the game's play-by-play file.
#pragma once

#include "league/league_folder.h"
#include "results/game_in_hand.h"

#include <string>
#include <string_view>

namespace vr {

// The league folder of the play-by-play files.
constexpr std::string_view kPlayByPlayFolder = "pbp";

// "pbp\245-3.txt": the day and game as plain digits.
std::string playByPlayFile(long gameDay, long gameNumber);

// Sets the entry's player of the game and its team text from the first
// "Player of the Game:" line, cut at its first " - " (else its first "-").
// A missing file leaves both fields as they were.
// True when the file was there (and the fields set).
bool lookUpPlayerOfTheGame(LeagueFolder& league, const GameInHand& game);

} // namespace vr
