// The period typed into the window, checked before a run starts: a typo must
// not end the program after half the outputs have been rewritten.
#pragma once

#include "results/period.h"
#include "text/errors.h"

#include <string_view>

namespace vr {

// A rejected period: the window warns and stays open.
class PeriodRejected : public Stop {
public:
    using Stop::Stop;
};

// Both texts must be whole numbers (spaces, one optional sign, digits);
// L and F = L - (N - 1) must lie in 0..400.
Period checkPeriod(std::string_view lastDay, std::string_view daysSimmed);

} // namespace vr
