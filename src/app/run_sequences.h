// The two handlers of the window, in their fixed order: the window load
// takes the league's snapshot, GO! reads the season and publishes the period.
#pragma once

#include "league/league_folder.h"
#include "results/league_state.h"
#include "app/window_port.h"

#include <functional>

namespace vr {

void windowLoad(LeagueFolder& league, WindowPort& window, LeagueState& state);

// Asked once every file is written, before any is put in place: false holds
// the publications back (the watch, while the export looks half-finished).
using PublishGate = std::function<bool(const LeagueState&)>;

// Checks the period first (PeriodRejected: nothing written); any other stop
// ends the program. True when the publications were put in place.
bool goRun(LeagueFolder& league, WindowPort& window, LeagueState& state, const PublishGate& gate = {});

} // namespace vr
