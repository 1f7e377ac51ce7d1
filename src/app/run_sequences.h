// The two handlers of the window, in their fixed order: the window load
// takes the league's snapshot, GO! reads the season and publishes the period.
#pragma once

#include "league/league_folder.h"
#include "results/league_state.h"
#include "app/window_port.h"

#include <functional>

namespace vr {

// `beforePublishing`, where given, runs once the lists are written and
// before any is put in place: a run that checks its period there (the
// headless run, the watch) leaves every file as it was when it refuses it.
void windowLoad(LeagueFolder& league, WindowPort& window, LeagueState& state,
                const std::function<void()>& beforePublishing = {});

// Asked once every file is written, before any is put in place: false holds
// the publications back (the watch, while the export looks half-finished).
using PublishGate = std::function<bool(const LeagueState&)>;

// Checks the period first (PeriodRejected: nothing written); any other stop
// ends the program, and says that the window load's lists were refreshed
// where it says nothing else of what it left. True when the publications
// were put in place.
bool goRun(LeagueFolder& league, WindowPort& window, LeagueState& state, const PublishGate& gate = {});

// One publication without the window, as the headless run, the watch and
// the tests make it: the window load, then GO!. `choosePeriod`, where given,
// sets the period in the window once the load's lists are written and before
// any is put in place (see windowLoad); false there means nothing is to be
// published: the load's lists are put in place and GO! is not run. True
// when GO!'s publications were put in place.
bool publishOnce(LeagueFolder& league, WindowPort& window, LeagueState& state,
                 const std::function<bool()>& choosePeriod = {}, const PublishGate& gate = {});

} // namespace vr
