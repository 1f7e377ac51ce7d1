// The game the schedule reader hands on: what the per-game steps (player of
// the game, top-25 lists, game record) share while one row is handled.
#pragma once

#include "results/game_table.h"
#include "text/line_writer.h"

#include <string_view>

namespace vr {

struct GameInHand {
    // The game day and game number texts as cut from the box score link;
    // valid while the row is handled.
    std::string_view gameDayText;
    std::string_view gameNumberText;
    // Their whole-number values, the entry's address in the game table.
    long gameDay = 0;
    long gameNumber = 0;
    GameEntry& entry;
    // Where the team numbers were cut, so a bad one is reported at its line.
    std::string_view page;
    long team1Line = 0;
    long team2Line = 0;
};

// Values that live for one GO! run: set by each ranked game, empty until the
// run's first one, and printed on every game record after it.
struct RunRpi {
    NumberValue combinedRpi;
    NumberValue rpiGap;
};

// The two team numbers of a game as team table indexes.
struct TeamIndexes {
    long team1 = 0;
    long team2 = 0;
};

} // namespace vr
