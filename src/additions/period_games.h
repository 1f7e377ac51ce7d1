// A period's games taken from the run's tables for its page for phones.
#pragma once

#include "additions/period_page.h"
#include "results/game_table.h"
#include "results/period.h"
#include "snapshot/day_table.h"
#include "snapshot/team_table.h"

#include <set>
#include <string>
#include <string_view>

namespace vr {

struct LeagueTables {
    const GameTable& games;
    const TeamTable& teams;
    const DayTable& days;
};

// The page of `period`, its links to the season's files led by `prefix`
// (the season's folder as the page sees it, "" inside it). A logo or box
// score is linked only when its copy is among `present` (paths below the
// season's folder), so that every link of the page opens.
PeriodPage periodPageFor(const LeagueTables& tables, const Period& period, std::string_view league,
                         const std::string& season, const std::string& prefix,
                         const std::set<std::string>& present);

} // namespace vr
