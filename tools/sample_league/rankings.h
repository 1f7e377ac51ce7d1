// Records, RPI and poll ranks from the games played so far.
#pragma once

#include <vector>

#include "league.h"

namespace sample {

// Team numbers ordered by RPI over the games played up to `through_day`,
// best first (ties by team number).
std::vector<int> rpi_order(const League& league, int through_day);

// Sets every team's record, RPI rank, poll rank and their page texts from
// all played games.
void settle_standings(League& league);

}  // namespace sample
