#include "results/schedule_row.h"

#include "text/cuts.h"
#include "text/errors.h"

namespace vr {
namespace {

// "<td ...><a href=./boxes/box245-3.htm>78-65</a></font></td>": the scores
// either side of the last "-", the link after the last "=" before them.
void cutResultCell(std::string_view cell, GameRow& row) {
    std::string_view s = dropLast(cell, 16);
    std::size_t dash = findLast(s, '-');
    row.team2Score = s.substr(dash + 1);
    s = s.substr(0, dash);
    std::size_t gt = findLast(s, '>');
    row.team1Score = s.substr(gt + 1);
    s = s.substr(0, gt);
    row.boxScoreLink = s.substr(findLast(s, '=') + 1);
}

// "./boxes/box245-3.htm": 11 characters of any kind, the day, "-", the game
// number and 4 final characters. The first "-" separates day and number.
void cutBoxScoreLink(GameRow& row) {
    std::string_view link = row.boxScoreLink;
    std::size_t dash = findFirst(link, '-');
    row.gameNumberText = mid(dropLast(link, 4), dash + 2, std::string_view::npos);
    row.gameDayText = dropLast(dropFirst(link, 11), 5 + row.gameNumberText.size());
}

// "<td ...>&nbsp;<a href='rosters/roster12.htm'>North Ridge</a></font></td>":
// the first 48 characters end with the quote that opens the link; the name
// follows the first ">", one closing quote before it.
TeamCell cutTeamCell(std::string_view cell) {
    std::string_view s = dropFirst(dropLast(cell, 16), 48);
    std::size_t gt = findFirst(s, '>');
    TeamCell team;
    team.name = s.substr(gt + 1);
    team.rosterLink = dropLast(s.substr(0, gt), 1);
    // The digits after the last "r" of "rosters/roster12"; without an "r"
    // the whole text, which then fails as a team index.
    std::string_view stem = dropLast(team.rosterLink, 4);
    std::size_t r = stem.rfind('r');
    team.number = r == std::string_view::npos ? stem : stem.substr(r + 1);
    return team;
}

// "<td class=main>&nbsp;11/14/2009</font></td>": after the first ";".
std::string_view cutDateCell(std::string_view cell) {
    std::string_view s = dropLast(cell, 12);
    return s.substr(findFirst(s, ';') + 1);
}

} // namespace

GameRow cutGameRow(const GameRowCells& cells, std::string_view page) {
    GameRow row;
    at(page, cells.resultLine(), [&] {
        cutResultCell(cells.resultCell, row);
        cutBoxScoreLink(row);
    });
    row.team1 = at(page, cells.team1Line(), [&] { return cutTeamCell(cells.team1Cell); });
    row.team2 = at(page, cells.team2Line(), [&] { return cutTeamCell(cells.team2Cell); });
    row.gameDate = at(page, cells.dateLine(), [&] { return cutDateCell(cells.dateCell); });
    return row;
}

} // namespace vr
