#include "results/top25_lists.h"

#include "text/errors.h"
#include "text/numbers.h"

#include <cmath>

namespace vr {

bool isRanked(std::string_view pollRank) {
    std::optional<double> rank = readNumber(pollRank);
    return rank && *rank > 0 && *rank < 26;
}

TeamIndexes writeTop25Lines(const TeamTable& teams, const GameInHand& game, RunRpi& rpi,
                            LineWriter& topResults, LineWriter& upsets) {
    TeamIndexes t;
    t.team1 = at(game.page, game.team1Line,
                 [&] { return readIndex(game.entry.team1Number(), 0, TeamTable::kLastTeam); });
    t.team2 = at(game.page, game.team2Line,
                 [&] { return readIndex(game.entry.team2Number(), 0, TeamTable::kLastTeam); });

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
