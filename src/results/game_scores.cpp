#include "results/game_scores.h"

#include "text/errors.h"
#include "text/numbers.h"

#include <string>

namespace vr {

GameOutcome compareScores(std::string_view team1Score, std::string_view team2Score) {
    const double a = leadingNumber(team1Score);
    const double b = leadingNumber(team2Score);
    if (a > b) return GameOutcome::Team1Won;
    if (b > a) return GameOutcome::Team2Won;
    return GameOutcome::Tied;
}

const TeamProfile& teamOf(const TeamTable& teams, std::string_view teamNumber) {
    if (teamNumber.empty()) return teams.at(0);
    try {
        return teams.at(readIndex(teamNumber, 0, TeamTable::kLastTeam));
    } catch (Stop& s) {
        s.locate("team number \"" + std::string(teamNumber) + "\"");
        throw;
    }
}

} // namespace vr
