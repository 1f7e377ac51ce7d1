#include "app/period_check.h"

#include "text/numbers.h"

#include <string>

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

// "the league's simulated days are 240 to 251", for each refusal.
std::string simulatedDays(const DayTable& days) {
    if (!days.lastDay) return "no day of the league has been simulated yet (no play-by-play file was found)";
    if (*days.firstDay == *days.lastDay) return "the league's only simulated day is " + plainDigits(*days.lastDay);
    return "the league's simulated days are " + plainDigits(*days.firstDay) + " to " + plainDigits(*days.lastDay);
}

[[noreturn]] void refuse(const char* box, const std::string& what, const DayTable& days) {
    throw rejected(StopKind::SubscriptOutOfRange, box, what + "; " + simulatedDays(days) + ".");
}

} // namespace

Period checkPeriod(std::string_view lastDay, std::string_view daysSimmed, const DayTable& days) {
    std::optional<long> last = readWholeText(lastDay);
    if (!last)
        throw rejected(StopKind::TypeMismatch, "TxtLastDay",
                       std::string(kLastDayLabel) + " must be a whole number; " + typed(lastDay));
    std::optional<long> count = readWholeText(daysSimmed);
    if (!count)
        throw rejected(StopKind::TypeMismatch, "TxtDaysSimmed",
                       std::string(kDaysLabel) + " must be a whole number; " + typed(daysSimmed));
    if (*count < 1)
        refuse("TxtDaysSimmed",
               "a period of " + plainDigits(*count) + " days holds no day; the number of days must be 1 or more", days);
    if (!days.lastDay) refuse("TxtLastDay", "there is no period to publish", days);
    if (*last > *days.lastDay) refuse("TxtLastDay", "day " + plainDigits(*last) + " has not been simulated", days);
    if (*last < *days.firstDay)
        refuse("TxtLastDay", "day " + plainDigits(*last) + " comes before the first simulated day", days);

    // Days before the season's first are not there to publish: the period
    // starts with the first.
    const long first = *last - (*count - 1) < *days.firstDay ? *days.firstDay : *last - (*count - 1);
    Period period{*last, *last - first + 1};
    long games = 0;
    for (long day = first; day <= *last; ++day) games += days.games(day);
    if (games == 0)
        refuse("TxtLastDay",
               first == *last ? "day " + plainDigits(*last) + " has no played game"
                              : "days " + plainDigits(first) + " to " + plainDigits(*last) + " hold no played game",
               days);
    return period;
}

} // namespace vr
