// The two handlers of the window, in their fixed order: the window load
// takes the league's snapshot, GO! reads the season and publishes the period.
#pragma once

#include "league/league_folder.h"
#include "app/league_state.h"
#include "app/window_port.h"

namespace vr {

void windowLoad(LeagueFolder& league, WindowPort& window, LeagueState& state);

// Checks the period first (PeriodRejected: nothing written); any other stop
// ends the program.
void goRun(LeagueFolder& league, WindowPort& window, LeagueState& state);

} // namespace vr
