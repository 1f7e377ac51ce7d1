#include "results/game_record.h"

#include <string>

namespace vr {
namespace {

const std::string kRule(120, '=');

void labelled(LineWriter& out, std::string_view label, std::string_view value) {
    out.text(label).text(value).endLine();
}

} // namespace

void writeGameRecord(const TeamTable& teams, const GameInHand& game, TeamIndexes indexes,
                     const RunRpi& rpi, LineWriter& test) {
    GameEntry& e = game.entry;
    const TeamProfile& team1 = teams.at(indexes.team1);
    const TeamProfile& team2 = teams.at(indexes.team2);

    // Not the ranked-game test: "YES" when neither team is listed "NR", so
    // an empty rank (a team without a profile) counts as ranked here.
    e.set(GameEntry::Top25GameFlag, team1.pollRank != "NR" && team2.pollRank != "NR" ? "YES" : "NO");

    labelled(test, "GameDay:", game.gameDayText);
    labelled(test, "Game Number:", game.gameNumberText);
    labelled(test, "Game Date:", e.gameDate());
    labelled(test, "Boxscore Link:", e.boxScoreLink());
    labelled(test, "Team #1 Number:", e.team1Number());
    labelled(test, "Team #1 Poll Rank:", team1.pollRank);
    labelled(test, "Team #1 RPI Rank:", team1.rpiRank);
    labelled(test, "Team #1 Name:", e.team1Name());
    labelled(test, "Team #1 Roster Link:", e.team1RosterLink());
    labelled(test, "Team #1 Score:", e.team1Score());
    labelled(test, "Team #2 Number:", e.team2Number());
    labelled(test, "Team #2 Poll Rank:", team2.pollRank);
    labelled(test, "Team #2 RPI Rank:", team2.rpiRank);
    labelled(test, "Team #2 Name:", e.team2Name());
    labelled(test, "Team #2 Roster Link:", e.team2RosterLink());
    labelled(test, "Team #2 Score:", e.team2Score());
    test.text("Game MVP:").text(e.playerOfTheGame()).text(", ").text(e.playerOfTheGameTeam()).endLine();
    labelled(test, "Top 25 Game:", e.top25GameFlag());
    // The latest ranked game's values, so far in this run; empty before the
    // first, which leaves the zone advance alone.
    test.number(rpi.combinedRpi, After::Zone).number(rpi.rpiGap, After::EndLine);
    test.line(kRule);
}

} // namespace vr
