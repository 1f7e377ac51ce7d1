// The period walk: every day of the period in ascending order and, within a
// day, game numbers 1 to the day's games per day. The digest, the score list,
// the scoreboard page and the box score reader all follow this same walk.
#pragma once

#include "results/game_table.h"
#include "results/period.h"
#include "snapshot/day_table.h"
#include "text/errors.h"

#include <string>
#include <string_view>

namespace vr {

// Calls onDay(D) for each day, then onGame(D, G) for each of its games.
// A day whose games per day is unset (0) has no games.
template <class OnDay, class OnGame>
void periodWalk(const Period& period, const DayTable& days, OnDay&& onDay, OnGame&& onGame) {
    for (long day = period.firstDay(); day <= period.lastDay; ++day) {
        if (day < 0 || day > GameTable::kLastDay) throw Stop(StopKind::SubscriptOutOfRange, "period");
        onDay(day);
        const long games = days.games(day);
        for (long game = 1; game <= games; ++game) {
            if (game > GameTable::kLastGame) throw Stop(StopKind::SubscriptOutOfRange, "period");
            onGame(day, game);
        }
    }
}

// The game date of game 1 of a day: the date a day is known by (the digest's
// and the leaders' headers, the day sections, the score list).
std::string_view dayDate(const GameTable& games, long day);

} // namespace vr
