// What the program will cut from a page where that differs from the value
// the generator wrote into it (names with '>' or '-', records with spaces).
// The manifest states these, so that tests compare with what the program
// must produce.
#pragma once

#include <string>
#include <string_view>

#include "league.h"

namespace sample {

// The standings line keeps only what follows the last '>' of the link text.
std::string standings_link_text(std::string_view name);

// The record as a roster page shows it, spaces removed: "12-5" or "12-5-1".
std::string record_text(const Team& team);

// The play-by-play line "Player of the Game: <rest>" split as the program
// splits it: the rest trimmed, cut at its first " - " (else its first '-'),
// both parts trimmed.
struct PlayerOfTheGame {
    std::string name;
    std::string team;
};
PlayerOfTheGame split_player_of_the_game(std::string_view rest);

// The text after the label on a game's "Player of the Game:" line.
std::string player_of_the_game_text(const League& league, const Game& game);

}  // namespace sample
