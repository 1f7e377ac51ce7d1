// The period: the days from the last day back over the number of days given.
// Both are checked whole numbers before a run starts, and the first day
// F = L - (N - 1) lies in 0..400 with the last day L.
#pragma once

namespace vr {

struct Period {
    long lastDay = 0;
    long dayCount = 0;
    long firstDay() const { return lastDay - (dayCount - 1); }
};

} // namespace vr
