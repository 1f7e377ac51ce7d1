#include "app/export_check.h"

#include "app/stop_report.h"
#include "results/player_of_the_game.h"
#include "text/errors.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <string_view>
#include <utility>

namespace vr {
namespace {

// "245-3.txt" as the program names the files: plain digits, no zeros first.
bool parseName(std::string_view name, long& day, long& game) {
    auto number = [](std::string_view& s, char end, long& value) {
        auto stop = s.find(end);
        if (stop == 0 || stop == std::string_view::npos || (s[0] == '0' && stop > 1)) return false;
        auto [p, ec] = std::from_chars(s.data(), s.data() + stop, value);
        if (ec != std::errc() || p != s.data() + stop) return false;
        s.remove_prefix(stop + 1);
        return true;
    };
    return number(name, '-', day) && number(name, '.', game) && name == "txt" && day <= GameTable::kLastDay &&
           game <= GameTable::kLastGame;
}

} // namespace

std::vector<std::string> missingPlayByPlayFiles(LeagueFolder& league, const std::vector<GameKey>& withoutPlayByPlay) {
    std::set<std::pair<long, long>> missing;
    for (const GameKey& g : withoutPlayByPlay) missing.emplace(g.day, g.number);

    // The run's own listing of the folder gives every day's files; by day,
    // each day's numbers from the lowest.
    std::vector<std::pair<long, long>> listed;
    league.visitFilesIn(kPlayByPlayFolder, [&](std::string_view name) {
        long day = 0, game = 0;
        if (parseName(name, day, game)) listed.emplace_back(day, game);
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
