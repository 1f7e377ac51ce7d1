#include "app/export_check.h"

#include "app/stop_report.h"
#include "results/player_of_the_game.h"
#include "text/errors.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <utility>

namespace vr {

std::vector<std::string> missingPlayByPlayFiles(LeagueFolder& league, const std::vector<GameKey>& withoutPlayByPlay) {
    std::set<std::pair<long, long>> missing;
    for (const GameKey& g : withoutPlayByPlay) missing.emplace(g.day, g.number);

    // The run's own listing of the folder gives every day's files; by day,
    // each day's numbers from the lowest.
    std::vector<std::pair<long, long>> listed;
    league.visitFilesIn(kPlayByPlayFolder, [&](std::string_view name) {
        long day = 0, game = 0;
        if (parsePlayByPlayName(name, day, game) && day <= GameTable::kLastDay && game <= GameTable::kLastGame)
            listed.emplace_back(day, game);
    });
    std::sort(listed.begin(), listed.end());
    for (std::size_t from = 0; from < listed.size();) {
        std::size_t to = from;
        while (to < listed.size() && listed[to].first == listed[from].first) ++to;
        // Below the day's last file, each number not listed.
        std::size_t next = from;
        for (long game = 1; game < listed[to - 1].second; ++game) {
            while (listed[next].second < game) ++next; // a game 0 is no gap
            if (listed[next].second != game) missing.emplace(listed[from].first, game);
        }
        from = to;
    }

    std::vector<std::string> names;
    names.reserve(missing.size());
    for (const auto& [day, game] : missing) names.push_back(playByPlayFile(day, game));
    return names;
}

long countRosterPages(LeagueFolder& league) {
    long pages = 0;
    league.visitFilesIn("html\\rosters", [&](std::string_view name) {
        constexpr std::string_view kStart = "roster", kEnd = ".htm";
        if (name.size() <= kStart.size() + kEnd.size() || name.substr(0, kStart.size()) != kStart ||
            name.substr(name.size() - kEnd.size()) != kEnd)
            return;
        std::string_view number = name.substr(kStart.size(), name.size() - kStart.size() - kEnd.size());
        if (number[0] != '0' && number.find_first_not_of("0123456789") == std::string_view::npos) ++pages;
    });
    return pages;
}

bool exportLooksIncomplete(const LeagueState& state) {
    return !state.missingPlayByPlay.empty() || state.rosterPages > state.teamCount;
}

std::string exportWarnings(const LeagueState& state) {
    std::string text = incompleteExportWarning(state.missingPlayByPlay);
    if (state.rosterPages <= state.teamCount) return text;
    if (!text.empty()) text += "\n";
    auto teams = [](long n) { return std::to_string(n) + (n == 1 ? " team" : " teams"); };
    text += "Warning: the game's export looks incomplete: html\\rosters holds " + std::to_string(state.rosterPages) +
            " roster pages and the standings page lists " + teams(state.teamCount) + ". The run went on with " +
            teams(state.teamCount) + "; export the league again from the game if the export was cut short.";
    return text;
}

std::string incompleteExportWarning(const std::vector<std::string>& missing) {
    if (missing.empty()) return {};
    std::string text = "Warning: the game's export looks incomplete: ";
    text += missing.size() == 1 ? "the play-by-play file " : "the play-by-play files ";
    const std::size_t named = std::min(missing.size(), kFilesNamed);
    for (std::size_t i = 0; i < named; ++i) {
        if (i > 0) text += i + 1 == named && named == missing.size() ? " and " : ", ";
        text += displayLeagueFile(missing[i]);
    }
    if (named < missing.size()) text += " and " + std::to_string(missing.size() - named) + " more";
    text += missing.size() == 1 ? " is missing. The run went on without it" : " are missing. The run went on without them";
    text += "; export the league again from the game if the export was cut short.";
    return text;
}

} // namespace vr
