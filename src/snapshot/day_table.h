// The day table: the simulated days found by the play-by-play probe.
// Indexed by day 0..400, so a postseason past day 365 is kept.
#pragma once

#include <array>
#include <optional>

namespace vr {

struct DayTable {
    static constexpr int kLastDay = 400;

    std::optional<int> firstDay;
    std::optional<int> lastDay;
    // 0 stands for unset: a found day always counts at least one game.
    std::array<int, kLastDay + 1> gamesPerDay{};

    int games(long day) const {
        return day >= 0 && day <= kLastDay ? gamesPerDay[static_cast<std::size_t>(day)] : 0;
    }
};

} // namespace vr
