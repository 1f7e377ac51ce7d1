#include "snapshot/period_probe.h"

#include <charconv>

namespace vr {
namespace {

// The days the probe looks at, and the most games a day can count.
constexpr int kFirstProbedDay = 200;
constexpr int kLastProbedDay = 400;
constexpr int kMostGames = 300;

static_assert(kLastProbedDay <= DayTable::kLastDay, "every probed day must fit the day table");

// "pbp\245-3.txt", built in a fixed buffer: the probe makes hundreds of
// these and needs no allocation for them.
class PlayByPlayName {
public:
    std::string_view of(int day, int game) {
        char* p = buffer_;
        for (char c : std::string_view("pbp\\")) *p++ = c;
        p = std::to_chars(p, end(), day).ptr;
        *p++ = '-';
        p = std::to_chars(p, end(), game).ptr;
        for (char c : std::string_view(".txt")) *p++ = c;
        return {buffer_, static_cast<std::size_t>(p - buffer_)};
    }

private:
    char* end() { return buffer_ + sizeof buffer_; }
    char buffer_[40];
};

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
