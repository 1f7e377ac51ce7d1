// Placeholder until the season reader lands.
#include "results/season_reader.h"

namespace vr {

void readSeason(LeagueFolder&, const TeamTable&, GameTable&, SeasonFiles) {}

} // namespace vr
