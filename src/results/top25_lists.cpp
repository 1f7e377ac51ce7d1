#include "results/top25_lists.h"

#include "text/errors.h"
#include "text/numbers.h"
#include "text/quote.h"

#include <cmath>

namespace vr {

bool isRanked(std::string_view pollRank) {
    std::optional<double> rank = readNumber(pollRank);
    return rank && *rank > 0 && *rank < 26;
}

TeamIndexes writeTop25Lines(const TeamTable& teams, const GameInHand& game, RunRpi& rpi,
                            LineWriter& topResults, LineWriter& upsets) {
    // The number of a roster link "rosters/roster12.htm" is a team table index.
    auto teamIndex = [&](std::string_view number, std::string_view link, long line) {
        return at(game.page, line, [&] {
            return readIndexOf(number, 0, TeamTable::kLastTeam, [&] {
                return "the team number " + quoteText(number) + " of the roster link " + quoteText(link);
            });
        });
    };
    TeamIndexes t;
    t.team1 = teamIndex(game.entry.team1Number(), game.entry.team1RosterLink(), game.team1Line);
    t.team2 = teamIndex(game.entry.team2Number(), game.entry.team2RosterLink(), game.team2Line);

    const TeamProfile& team1 = teams.at(t.team1);
    const TeamProfile& team2 = teams.at(t.team2);
    if (!isRanked(team1.pollRank) && !isRanked(team2.pollRank)) return t;

    // An RPI rank counts by the number it starts with: "NR" is 0.
    double rpi1 = leadingNumber(team1.rpiRank);
    double rpi2 = leadingNumber(team2.rpiRank);
    rpi.combinedRpi = rpi1 + rpi2;
    rpi.rpiGap = std::fabs(rpi1 - rpi2);

    topResults.text(game.gameDayText).text(",").text(game.gameNumberText).text(",");
    topResults.number(rpi.combinedRpi).text(",").number(rpi.rpiGap).endLine();
    upsets.text(game.gameDayText).text(",").text(game.gameNumberText).endLine();
    return t;
}

} // namespace vr
