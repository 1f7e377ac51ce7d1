// Placeholders until the snapshot readers land.
#include "snapshot/period_probe.h"
#include "snapshot/team_list.h"
#include "snapshot/team_profiles.h"

namespace vr {

long readTeamList(LeagueFolder&) { return 0; }
void readTeamProfiles(LeagueFolder&, long, TeamTable&, LineWriter&) {}
void probeSimulatedDays(LeagueFolder&, DayTable&) {}
void writeSchedFile(const DayTable&, LineWriter&) {}

} // namespace vr
