#include "app/period_check.h"

#include "snapshot/day_table.h"
#include "text/numbers.h"

namespace vr {
namespace {

// The boxes as the window labels them: the user knows them by those words.
constexpr const char* kLastDayLabel = "Last Day that was Simulated";
constexpr const char* kDaysLabel = "Number of days that were ran during the last sim period";

PeriodRejected rejected(StopKind kind, const char* box, std::string explanation) {
    PeriodRejected stop(kind, box);
    stop.explain(std::move(explanation));
    return stop;
}

std::string typed(std::string_view text) { return "you typed '" + std::string(text) + "'"; }

} // namespace

Period checkPeriod(std::string_view lastDay, std::string_view daysSimmed) {
    std::optional<long> last = readWholeText(lastDay);
    if (!last)
        throw rejected(StopKind::TypeMismatch, "TxtLastDay",
                       std::string(kLastDayLabel) + " must be a whole number; " + typed(lastDay));
    std::optional<long> count = readWholeText(daysSimmed);
    if (!count)
        throw rejected(StopKind::TypeMismatch, "TxtDaysSimmed",
                       std::string(kDaysLabel) + " must be a whole number; " + typed(daysSimmed));
    auto inRange = [](long day) { return day >= 0 && day <= DayTable::kLastDay; };
    const std::string lastOfSeason = std::to_string(DayTable::kLastDay);
    if (!inRange(*last))
        throw rejected(StopKind::SubscriptOutOfRange, "TxtLastDay",
                       std::string(kLastDayLabel) + " must be a day from 0 to " + lastOfSeason + "; " +
                           typed(lastDay));
    Period period{*last, *count};
    if (!inRange(period.firstDay()))
        throw rejected(StopKind::SubscriptOutOfRange, "TxtDaysSimmed",
                       std::string(kDaysLabel) + " makes the period start on day " +
                           std::to_string(period.firstDay()) + ", outside days 0 to " + lastOfSeason + "; " +
                           typed(daysSimmed));
    return period;
}

} // namespace vr
