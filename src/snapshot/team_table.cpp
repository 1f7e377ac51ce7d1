#include "snapshot/team_table.h"

#include "text/errors.h"

namespace vr {

const TeamProfile& TeamTable::at(long n) const {
    static const TeamProfile unset;
    if (n < 0 || n >= static_cast<long>(teams_.size())) return unset;
    return teams_[static_cast<std::size_t>(n)];
}

TeamProfile& TeamTable::store(long n) {
    if (n < 0 || n > kLastTeam) throw Stop(StopKind::SubscriptOutOfRange);
    if (n >= static_cast<long>(teams_.size())) teams_.resize(static_cast<std::size_t>(n) + 1);
    return teams_[static_cast<std::size_t>(n)];
}

} // namespace vr
