// The team list: the team names of the standings page, copied to teams.txt.
#pragma once

#include "league/league_folder.h"

namespace vr {

// Reads html\standings.htm, writes teams.txt, returns the team count.
long readTeamList(LeagueFolder& league);

} // namespace vr
