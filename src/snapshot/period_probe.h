// The play-by-play probe: which days have been simulated, found by testing
// which play-by-play files exist, and schedfile.txt listing them.
#pragma once

#include "league/league_folder.h"
#include "snapshot/day_table.h"

namespace vr {

void probeSimulatedDays(LeagueFolder& league, DayTable& days);
void writeSchedFile(const DayTable& days, LineWriter& schedFile);

} // namespace vr
