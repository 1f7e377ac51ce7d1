// Placeholders until the season reader and the publishing steps land.
#include "results/publishing.h"
#include "results/season_reader.h"

namespace vr {

void readSeason(LeagueFolder&, const TeamTable&, GameTable&, SeasonFiles) {}
void publishPeriod(LeagueFolder&, const LeagueState&, const Period&, const ScoreListAdder&) {}
void publishLeaders(LeagueFolder&, LeagueState&, const Period&, std::string_view) {}

} // namespace vr
