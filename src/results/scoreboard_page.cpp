#include "results/scoreboard_page.h"

#include "results/game_scores.h"
#include "text/cuts.h"
#include "text/numbers.h"

namespace vr {
namespace {

constexpr const char* kHead[] = {
    "<HTML>",
    "<title>Scoreboard</title>",
    "<style type=text/css>",
    "   .dateheader  {background: #00853B; font-family: tahoma; font-size: 14pt; font-weight: bold; color: #FFFFFF;}",
    "   .newheader {font-family: tahoma; font-size: 24pt; font-weight: bold; color: #002856;}",
    "   .winner { font-weight: bold; color: #666666; }",
    "   .team {text-align: left; font-family: tahoma; font-size: 12pt; }",
    "   .logo {vertical-align: middle; }",
    "   .mvp {text-align: left; font-family: tahoma; font-size: 10pt; font-weight: bold; color: #333333; }",
    "   .mvpteam {text-align: left; font-family: tahoma; font-size: 7pt; font-weight: bold; color: #666666; }",
    "   .boxlink {text-align: right; width: 100% font-family: tahoma; font-size: 12pt; font-weight: bold; color: #ffffff; background: #002856; border: 4px solid #00853B; }",
    "   .winteam {text-align: left; font-family: tahoma; font-size: 12pt; font-weight: bold; color: #333333; }",
    "   .winrecord {text-align: left; font-family: tahoma; font-size: 10pt; color: #666666; }",
    "   .winscore {text-align: center; font-family: tahoma; font-size: 16pt; font-weight: bold; color: #333333; padding:3px; vertical-align: middle;}",
    "   .loseteam {text-align: left; font-family: tahoma; font-size: 12pt; color: #666666; }",
    "   .loserecord {text-align: left; font-family: tahoma; font-size: 10pt; color: #666666; }",
    "   .losescore {text-align: center; font-family: tahoma; font-size: 16pt; color: #666666; padding:3px; vertical-align: middle;}",
    "   .boxscore {display: inline-block; margin: 10px; width: 500px; font-family: tahoma; font-size: 12pt; background: #FFFFFF; border: 1px solid black;border-radius: 3px;box-shadow: 3px 3px 1px grey;}",
    "   a {text-decoration: none; text-align: right; font-family: tahoma; font-size: 12pt; font-weight: bold; color: #ffffff; background: #002856;}",
    "</style>",
    "<body>",
    "<div class=newheader>Scoreboard</div>",
    "    ",
};

constexpr std::string_view kCellEnd = "      </td>";

// One team's row in a box: logo, then (unless the game is tied) the name,
// record and score cells in the winner's or the loser's style.
struct TeamRow {
    bool firstRow;
    std::string_view name;
    std::string_view score;
    const TeamProfile& profile;
};

void writeNameWithTag(LineWriter& page, const TeamRow& row) {
    if (rankTagDue(row.profile.pollRank))
        page.text("(").text(trimSpaces(row.profile.pollRank)).text(") ");
    page.text(row.name);
}

void writeWinnerCells(LineWriter& page, const TeamRow& row) {
    const std::string_view spacer = row.firstRow ? "      <td width=5>" : "      <td width=20>";
    const std::string_view scoreCell = row.firstRow ? "      <td width=65>" : "      <td width=50>";
    page.text("        <div class=winteam>");
    writeNameWithTag(page, row);
    page.text("<br></div>", After::EndLine);
    page.text("        <div class=winrecord>").text(row.profile.teamRecord).text("</div>", After::EndLine);
    page.line(kCellEnd).line(spacer).line(kCellEnd).line(spacer).line(kCellEnd).line(scoreCell);
    page.text("        <div class=winscore>").text(row.score).text("</div>", After::EndLine);
    page.line(kCellEnd);
}

void writeLoserCells(LineWriter& page, const TeamRow& row) {
    const std::string_view spacer = "      <td width=20>";
    const std::string_view scoreCell = row.firstRow ? "      <td width=60>" : "      <td width=50>";
    page.text("        <div class=loseteam>");
    writeNameWithTag(page, row);
    page.text("<br>", After::EndLine);
    page.line("        </div>");
    page.text("        <div class=loserecord>").text(row.profile.teamRecord).text("</div>", After::EndLine);
    page.line(kCellEnd).line(spacer).line(kCellEnd).line(spacer).line(kCellEnd).line(scoreCell);
    page.text("        <div class=losescore>").text(row.score).text("</div>", After::EndLine);
    page.line(kCellEnd);
}

enum class RowResult { Won, Lost, Tied };

void writeTeamRow(LineWriter& page, const TeamRow& row, RowResult result) {
    page.line("      <td width=40>");
    page.text("        <div class=logo><img src=./images/").text(row.profile.logoFile)
        .text(" height=40 width=40></div>", After::EndLine);
    page.line(kCellEnd);
    page.line(row.firstRow ? "      <td width=225>" : "      <td width=210>");
    if (result == RowResult::Won) writeWinnerCells(page, row);
    else if (result == RowResult::Lost) writeLoserCells(page, row);
}

// The player of the game and his team come from the play-by-play file,
// which is plain text: a "<" there opens no tag in the page. Nothing else
// is changed, so that names with ">" or "&" stay as the page always had them.
void plainText(LineWriter& page, std::string_view text) {
    for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<')) {
        page.text(text.substr(0, at)).text("&lt;");
        text.remove_prefix(at + 1);
    }
    page.text(text);
}

} // namespace

bool rankTagDue(std::string_view pollRank) {
    std::optional<double> rank = readNumber(pollRank);
    return rank && *rank < 26;
}

void writeScoreboardHead(LineWriter& page) {
    for (const char* line : kHead) page.line(line);
}

void writeDateHeader(LineWriter& page, std::string_view date) {
    page.text("<div class=dateheader>").text(date).text("</div>", After::EndLine);
}

void writeGameBox(LineWriter& page, const GameEntry& game, const TeamTable& teams) {
    const TeamRow team1{true, game.team1Name(), game.team1Score(), teamOf(teams, game.team1Number())};
    const TeamRow team2{false, game.team2Name(), game.team2Score(), teamOf(teams, game.team2Number())};
    const GameOutcome outcome = outcomeOf(game);
    const RowResult result1 = outcome == GameOutcome::Team1Won   ? RowResult::Won
                              : outcome == GameOutcome::Team2Won ? RowResult::Lost
                                                                 : RowResult::Tied;
    const RowResult result2 = result1 == RowResult::Won    ? RowResult::Lost
                              : result1 == RowResult::Lost ? RowResult::Won
                                                           : RowResult::Tied;

    page.endLine();
    page.line("<div class=boxscore>");
    page.line("  <Table>");
    page.line("    <tr>");
    writeTeamRow(page, team1, result1);
    page.line("      <td rowspan=2 width=150><div class=mvpteam> Player of the Game:</div><br>");
    page.text("<div class=mvp>");
    plainText(page, game.playerOfTheGame());
    page.text("</div><div class=mvpteam>");
    plainText(page, game.playerOfTheGameTeam());
    page.text("<div><br>&nbsp;<br>", After::EndLine);
    page.text(" <div=boxlink><a href=").text(game.boxScoreLink()).text(">Boxscore</a></div>", After::EndLine);
    page.line(kCellEnd);
    page.line("    </tr>");
    page.line("    <tr>");
    writeTeamRow(page, team2, result2);
    page.line("    </tr>");
    page.line("  </Table>");
    page.line("</div>");
}

void writeScoreboardClosing(LineWriter& page) {
    page.line("</body>");
    page.line("</html>");
}

} // namespace vr
