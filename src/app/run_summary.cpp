#include "app/run_summary.h"

#include "text/numbers.h"

#include <algorithm>

namespace vr {

std::string publishedSummary(const DayTable& days, const Period& period, const std::string& league) {
    const long last = period.lastDay;
    // The period as published: cut at the season's first day.
    const long first = std::max(period.firstDay(), static_cast<long>(days.firstDay.value_or(0)));
    long games = 0;
    for (long d = first; d <= last; ++d) games += days.games(d);
    const std::string span =
        first == last ? "day " + plainDigits(last) : "days " + plainDigits(first) + "-" + plainDigits(last);
    return "published " + span + (league.empty() ? "" : " of " + league) + ": " + plainDigits(games) + (games == 1 ? " game" : " games");
}

} // namespace vr
