#include "results/period_walk.h"

namespace vr {

std::string_view dayDate(const GameTable& games, long day) {
    if (day < 0 || day > GameTable::kLastDay) throw Stop(StopKind::SubscriptOutOfRange, "period");
    return games.at(day, 1).gameDate();
}

} // namespace vr
