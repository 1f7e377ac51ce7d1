#include "app/export_check.h"

#include "results/player_of_the_game.h"
#include "text/errors.h"

#include <algorithm>
#include <charconv>
#include <map>
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

    // The run's own listing of the folder gives every day's files.
    std::map<long, std::set<long>> days;
    for (const std::string& name : league.filesIn("pbp")) {
        long day = 0, game = 0;
        if (parseName(name, day, game)) days[day].insert(game);
    }
    for (const auto& [day, games] : days)
        for (long game = 1; game < *games.rbegin(); ++game)
            if (!games.count(game)) missing.emplace(day, game);

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
        text += missing[i];
    }
    if (named < missing.size()) text += " and " + std::to_string(missing.size() - named) + " more";
    text += missing.size() == 1 ? " is missing. The run went on without it" : " are missing. The run went on without them";
    text += "; export the league again from the game if the export was cut short.";
    return text;
}

} // namespace vr
