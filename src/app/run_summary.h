// The one line an unattended run ends with: what it published.
#pragma once

#include "results/period.h"
#include "snapshot/day_table.h"

#include <string>

namespace vr {

// "published days 249-251: 36 games", "published day 251: 12 games": the
// games the day table holds for the period's days. A league named (UTF-8)
// follows the days: "published day 251 of Eastfield: 12 games".
std::string publishedSummary(const DayTable& days, const Period& period, const std::string& league = {});

} // namespace vr
