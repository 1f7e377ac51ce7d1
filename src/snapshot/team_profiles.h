// Team profiles: each team's roster page cut into the team table, one
// teaminfo.txt line per team.
#pragma once

#include "league/league_folder.h"
#include "snapshot/team_table.h"

namespace vr {

void readTeamProfiles(LeagueFolder& league, long teamCount, TeamTable& teams, LineWriter& teamInfo);

} // namespace vr
