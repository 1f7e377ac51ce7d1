#include "app/run_summary.h"

#include "text/numbers.h"

namespace vr {

std::string publishedSummary(const DayTable& days, const Period& period) {
    const long first = period.firstDay(), last = period.lastDay;
    long games = 0;
    for (long d = first; d <= last; ++d) games += days.games(d);
    const std::string span =
        first == last ? "day " + plainDigits(last) : "days " + plainDigits(first) + "-" + plainDigits(last);
    return "published " + span + ": " + plainDigits(games) + (games == 1 ? " game" : " games");
}

} // namespace vr
