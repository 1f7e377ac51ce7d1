// The period typed into the window, checked before a run starts: a typo must
// not end the program after half the outputs have been rewritten, nor
// publish a period the season does not have.
#pragma once

#include "results/period.h"
#include "snapshot/day_table.h"
#include "text/errors.h"

#include <string_view>

namespace vr {

// A rejected period: the window warns and stays open.
class PeriodRejected : public Stop {
public:
    using Stop::Stop;
};

// Both texts must be whole numbers (spaces, one optional sign, digits). The
// period must hold a day; its last day must lie within the simulated days
// the probe found, and the period must hold a played game. A period
// reaching back before the first simulated day is cut at it.
Period checkPeriod(std::string_view lastDay, std::string_view daysSimmed, const DayTable& days);

} // namespace vr
