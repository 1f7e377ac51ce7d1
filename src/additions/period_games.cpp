#include "additions/period_games.h"

#include "additions/archive_links.h"
#include "additions/post_text.h"
#include "results/game_scores.h"
#include "results/scoreboard_page.h"
#include "text/cuts.h"
#include "text/numbers.h"

namespace vr {
namespace {

std::string linkIfPresent(std::string_view link, const std::string& prefix, const std::set<std::string>& present) {
    std::optional<std::string> target = localTarget("", link);
    return target && present.count(*target) ? prefix + *target : "";
}

PageTeam pageTeam(const TeamProfile& profile, std::string_view name, std::string_view score, bool winner,
                  const std::string& prefix, const std::set<std::string>& present) {
    PageTeam t;
    t.name = decodeForPost(name);
    if (rankTagDue(profile.pollRank)) t.rank = decodeForPost(trimSpaces(profile.pollRank));
    t.record = decodeForPost(profile.teamRecord);
    t.score = decodeForPost(trimSpaces(score));
    if (!profile.logoFile.empty()) t.logo = linkIfPresent("images/" + profile.logoFile, prefix, present);
    t.winner = winner;
    return t;
}

} // namespace

PeriodPage periodPageFor(const LeagueTables& tables, const Period& period, std::string_view league,
                         const std::string& season, const std::string& prefix,
                         const std::set<std::string>& present) {
    PeriodPage page;
    page.league = std::string(league);
    page.season = season;
    page.firstDay = period.firstDay();
    page.lastDay = period.lastDay;
    page.seasonIndexLink = prefix + "index.html";
    page.periodsLink = prefix.empty() ? "../../periods.html" : "periods.html";
    for (long d = period.firstDay(); d <= period.lastDay; ++d) {
        if (d < 0 || d > GameTable::kLastDay) continue;
        PageDay day;
        day.date = decodeForPost(tables.games.at(d, 1).gameDate());
        if (day.date.empty()) day.date = "Day " + plainDigits(d);
        for (long g = 1; g <= tables.days.games(d) && g <= GameTable::kLastGame; ++g) {
            const GameEntry& e = tables.games.at(d, g);
            // A game the schedule did not list has nothing to show.
            if (e.team1Name().empty() && e.team2Name().empty()) continue;
            const GameOutcome outcome = outcomeOf(e);
            PageGame game;
            game.teams[0] = pageTeam(teamOf(tables.teams, e.team1Number()), e.team1Name(), e.team1Score(),
                                     outcome == GameOutcome::Team1Won, prefix, present);
            game.teams[1] = pageTeam(teamOf(tables.teams, e.team2Number()), e.team2Name(), e.team2Score(),
                                     outcome == GameOutcome::Team2Won, prefix, present);
            game.player = decodeForPost(trimSpaces(e.playerOfTheGame()));
            game.playerTeam = decodeForPost(trimSpaces(e.playerOfTheGameTeam()));
            game.boxLink = linkIfPresent(e.boxScoreLink(), prefix, present);
            day.games.push_back(std::move(game));
        }
        if (d == period.firstDay()) page.firstDate = day.date;
        page.lastDate = day.date;
        page.days.push_back(std::move(day));
    }
    return page;
}

} // namespace vr
