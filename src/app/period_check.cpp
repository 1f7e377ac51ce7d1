#include "app/period_check.h"

#include "snapshot/day_table.h"
#include "text/numbers.h"

namespace vr {

Period checkPeriod(std::string_view lastDay, std::string_view daysSimmed) {
    std::optional<long> last = readWholeText(lastDay);
    if (!last) throw PeriodRejected(StopKind::TypeMismatch, "TxtLastDay");
    std::optional<long> count = readWholeText(daysSimmed);
    if (!count) throw PeriodRejected(StopKind::TypeMismatch, "TxtDaysSimmed");
    auto inRange = [](long day) { return day >= 0 && day <= DayTable::kLastDay; };
    if (!inRange(*last)) throw PeriodRejected(StopKind::SubscriptOutOfRange, "TxtLastDay");
    Period period{*last, *count};
    if (!inRange(period.firstDay()))
        throw PeriodRejected(StopKind::SubscriptOutOfRange, "TxtDaysSimmed");
    return period;
}

} // namespace vr
