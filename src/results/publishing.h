// Publishing the period: the results digest, the score list and the
// scoreboard page in one walk; then the box score pages, the player lines
// and the stat leaders.
#pragma once

#include "league/league_folder.h"
#include "results/league_state.h"
#include "results/period.h"

#include <functional>
#include <string_view>

namespace vr {

using ScoreListAdder = std::function<void(std::string_view)>;

// Writes ~daily.txt's header and day sections and html\scoreboard.html,
// adding the dates and score lines to the score list; closes both files.
void publishPeriod(LeagueFolder& league, const LeagueState& state, const Period& period,
                   const ScoreListAdder& addScore);

// Appends the box score section to Test.txt and the stat leaders (ending
// with the website) to ~daily.txt.
void publishLeaders(LeagueFolder& league, LeagueState& state, const Period& period,
                    std::string_view website);

} // namespace vr
