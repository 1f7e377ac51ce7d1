#include "results/stat_leaders.h"

#include "results/digest_lines.h"
#include "results/leader_date.h"
#include "results/period_walk.h"

namespace vr {
namespace {

void writeList(LineWriter& daily, std::string_view heading, const LeaderList& list) {
    static constexpr std::string_view kRanks[] = {"1) ", "2) ", "3) ", "4) ", "5) "};
    daily.line(heading);
    daily.line(kDashLine);
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const LeaderEntry& entry = list.entries[i];
        daily.text(kRanks[i]).number(entry.value).text(" ").text(entry.label, After::EndLine);
    }
    daily.line(kDashLine);
}

} // namespace

void offer(LeaderList& list, double value, std::string_view playerName, std::string_view teamText,
           std::string_view gameDate) {
    auto& entries = list.entries;
    std::size_t slot = 0;
    while (slot < entries.size() && !(value > entries[slot].value.value_or(0))) ++slot;
    if (slot == entries.size()) return;

    for (std::size_t i = entries.size() - 1; i > slot; --i) entries[i] = std::move(entries[i - 1]);

    LeaderEntry& entry = entries[slot];
    entry.value = value;
    entry.label.clear();
    entry.label.append(playerName).append(", ").append(teamText);
    entry.label.append(" (").append(leaderDate(gameDate)).append(")");
}

void writeLeaders(LineWriter& daily, const LeaderLists& leaders, const GameTable& games,
                  const Period& period, std::string_view website) {
    daily.endLine();
    daily.line(kEqualsLine);
    daily.text("STAT LEADERS FOR THE PERIOD OF: ").text(dayDate(games, period.firstDay()));
    daily.text(" - ").text(dayDate(games, period.lastDay), After::EndLine);
    daily.line(kEqualsLine);
    writeList(daily, "Points Scored in a Game", leaders.points);
    writeList(daily, "Rebounds in a Game", leaders.rebounds);
    writeList(daily, "Assists in a Game", leaders.assists);
    daily.line(website);
    daily.line(kDashLine);
}

} // namespace vr
