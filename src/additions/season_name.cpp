#include "additions/season_name.h"

#include "text/numbers.h"

#include <algorithm>

namespace vr {
namespace {

bool isYearName(const std::string& s) { return s.size() >= 4 && s.find_first_not_of("0123456789-") == std::string::npos; }

} // namespace

std::string seasonOfDate(std::string_view date) {
    // Three runs of digits split by "/": month, day, year of four digits.
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const std::size_t slash = date.find('/', at);
        parts.push_back(date.substr(at, slash == std::string_view::npos ? std::string_view::npos : slash - at));
        if (slash == std::string_view::npos) break;
        at = slash + 1;
    }
    if (parts.size() != 3) return "";
    while (!parts[0].empty() && parts[0].front() == ' ') parts[0].remove_prefix(1);
    while (!parts[2].empty() && parts[2].back() == ' ') parts[2].remove_suffix(1);
    for (std::string_view p : parts)
        if (p.empty() || p.size() > 4 || p.find_first_not_of("0123456789") != std::string_view::npos) return "";
    if (parts[2].size() != 4) return "";
    const long month = std::stol(std::string(parts[0])), year = std::stol(std::string(parts[2]));
    if (month < 1 || month > 12) return "";
    const long start = month >= 7 ? year : year - 1;
    const long next = (start + 1) % 100;
    return plainDigits(start) + (next < 10 ? "-0" : "-") + plainDigits(next);
}

std::string seasonOfGames(const GameTable& games) {
    for (long day = 0; day <= GameTable::kLastDay; ++day)
        for (long game = 0; game <= GameTable::kLastGame; ++game) {
            const std::string_view date = games.at(day, game).gameDate();
            if (date.empty()) continue;
            std::string season = seasonOfDate(date);
            if (!season.empty()) return season;
        }
    return "";
}

void sortNewestFirst(std::vector<std::string>& seasons) {
    std::sort(seasons.begin(), seasons.end(), [](const std::string& a, const std::string& b) {
        const bool ya = isYearName(a), yb = isYearName(b);
        if (ya != yb) return ya;
        return a > b;
    });
}

} // namespace vr
