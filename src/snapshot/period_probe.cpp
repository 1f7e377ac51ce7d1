#include "snapshot/period_probe.h"

#include "league/play_by_play_name.h"

namespace vr {
namespace {

// The days the probe looks at, and the most games a day can count.
constexpr int kFirstProbedDay = 200;
constexpr int kLastProbedDay = 400;
constexpr int kMostGames = 300;

static_assert(kLastProbedDay <= DayTable::kLastDay, "every probed day must fit the day table");

} // namespace

void probeSimulatedDays(LeagueFolder& league, DayTable& days) {
    days = DayTable{};
    PlayByPlayName name;
    // Every day is tested, whatever gaps lie between the found days.
    for (int day = kFirstProbedDay; day <= kLastProbedDay; ++day) {
        if (!league.exists(name.of(day, 1))) continue;
        if (!days.firstDay) days.firstDay = day;
        days.lastDay = day;
        // Game 1 was just found; the count stops at the first missing game,
        // so files after a gap are not counted.
        int games = 1;
        while (games < kMostGames && league.exists(name.of(day, games + 1))) ++games;
        days.gamesPerDay[static_cast<std::size_t>(day)] = games;
    }
}

void writeSchedFile(const DayTable& days, LineWriter& schedFile) {
    // No simulated day found: the list stays empty.
    if (!days.firstDay || !days.lastDay) return;
    for (int day = *days.firstDay; day <= *days.lastDay; ++day) {
        schedFile.text("Day ").number(day, After::EndLine);
        // A day without files in the range has no games and no game lines.
        for (int game = 1; game <= days.games(day); ++game)
            schedFile.text("   ").number(game, After::EndLine);
    }
}

} // namespace vr
