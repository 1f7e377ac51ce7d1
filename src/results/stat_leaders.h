// The stat leaders: offering a single-game performance to a leader list, and
// the leaders section that ends ~daily.txt.
#pragma once

#include "results/game_table.h"
#include "results/leader_lists.h"
#include "results/period.h"
#include "text/line_writer.h"

#include <string_view>

namespace vr {

// Puts the value in the first entry it strictly exceeds (an empty entry
// counts as 0), moving the entries below down one place and dropping entry
// 5. Equal values keep the earlier offer higher; 0 or less never enters. The
// label "P, T (Jan05)" is made only when the value enters.
void offer(LeaderList& list, double value, std::string_view playerName, std::string_view teamText,
           std::string_view gameDate);

// Lines 1 to 30 of the leaders section: the period header, the three lists
// and the website between dash lines.
void writeLeaders(LineWriter& daily, const LeaderLists& leaders, const GameTable& games,
                  const Period& period, std::string_view website);

} // namespace vr
