// The period's results: ~daily.txt's header and its day sections with a
// result line per top-25 game, the score list, and the scoreboard page, all
// written in one period walk.
#include "results/digest_lines.h"
#include "results/game_scores.h"
#include "results/period_walk.h"
#include "results/publishing.h"
#include "results/scoreboard_page.h"
#include "text/cuts.h"

namespace vr {
namespace {

// "Lakeshore-77, Ridgefield-81": team 1 first, whatever the result.
void buildScoreLine(std::string& line, const GameEntry& game) {
    line.clear();
    line.append(game.team1Name()).append("-").append(game.team1Score()).append(", ");
    line.append(game.team2Name()).append("-").append(game.team2Score());
}

// "(5)Ridgefield 81, (NR)Lakeshore 77": winner first with its poll rank as it
// stands; a tie writes no line.
void writeResultLine(LineWriter& daily, const GameEntry& game, const TeamTable& teams) {
    const GameOutcome outcome = outcomeOf(game);
    if (outcome == GameOutcome::Tied) return;
    const bool team1First = outcome == GameOutcome::Team1Won;
    const TeamProfile& first = teamOf(teams, team1First ? game.team1Number() : game.team2Number());
    const TeamProfile& second = teamOf(teams, team1First ? game.team2Number() : game.team1Number());
    daily.text("(").text(trimSpaces(first.pollRank)).text(")");
    daily.text(team1First ? game.team1Name() : game.team2Name()).text(" ");
    daily.text(team1First ? game.team1Score() : game.team2Score()).text(", ");
    daily.text("(").text(trimSpaces(second.pollRank)).text(")");
    daily.text(team1First ? game.team2Name() : game.team1Name()).text(" ");
    daily.text(team1First ? game.team2Score() : game.team1Score(), After::EndLine);
}

} // namespace

void publishPeriod(LeagueFolder& league, const LeagueState& state, const Period& period,
                   const ScoreListAdder& addScore) {
    const GameTable& games = state.games;

    auto daily = league.openOutput("~daily.txt");
    daily->line(kEqualsLine);
    daily->text("RESULTS FOR THE PERIOD OF: ").text(dayDate(games, period.firstDay()));
    daily->text(" - ").text(dayDate(games, period.lastDay), After::EndLine);
    daily->line(kEqualsLine);

    auto page = league.openOutput("html\\scoreboard.html");
    writeScoreboardHead(*page);

    std::string scoreLine;
    periodWalk(
        period, state.days,
        [&](long day) {
            const std::string_view date = dayDate(games, day);
            addScore(date);
            writeDateHeader(*page, date);
            daily->line(" ");
            daily->text("Top 25 Results for ").text(date, After::EndLine);
            daily->line(kDashLine);
        },
        [&](long day, long number) {
            const GameEntry& game = games.at(day, number);
            buildScoreLine(scoreLine, game);
            addScore(scoreLine);
            if (game.top25GameFlag() == "YES") writeResultLine(*daily, game, state.teams);
            writeGameBox(*page, game, state.teams);
        });

    writeScoreboardClosing(*page);
    daily->close();
    page->close();
}

} // namespace vr
