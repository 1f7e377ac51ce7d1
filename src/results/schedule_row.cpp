#include "results/schedule_row.h"

#include "text/cuts.h"
#include "text/errors.h"
#include "text/quote.h"

namespace vr {
namespace {

// A cut that fails says what the cell should have held.
template <class D, class F>
decltype(auto) cutting(D&& detail, F&& cut) {
    return describing(StopKind::InvalidArgument, std::forward<D>(detail), std::forward<F>(cut));
}

// "<td ...><a href=./boxes/box245-3.htm>78-65</a></font></td>": the scores
// either side of the last "-", the link after the last "=" before them.
void cutResultCell(std::string_view cell, GameRow& row) {
    std::string_view s = cutting([&] { return "the result cell " + quoteText(cell) + " is too short: it should end with "
                                              "'</a></font></td>'"; },
                                 [&] { return dropLast(cell, 16); });
    std::size_t dash = cutting([&] { return resultCellTrouble(cell, ""); }, [&] { return findLast(s, '-'); });
    row.team2Score = s.substr(dash + 1);
    s = s.substr(0, dash);
    std::size_t gt = cutting(
        [&] { return resultCellTrouble(cell, "the result cell " + quoteText(cell) + " has no '>' before its score"); },
        [&] { return findLast(s, '>'); });
    row.team1Score = s.substr(gt + 1);
    s = s.substr(0, gt);
    row.boxScoreLink = s.substr(cutting(
                                    [&] {
                                        return resultCellTrouble(cell, "the result cell " + quoteText(cell) +
                                                                           " has no link to a box score ('href=') "
                                                                           "before its score");
                                    },
                                    [&] { return findLast(s, '='); }) +
                                1);
}

// "./boxes/box245-3.htm": 11 characters of any kind, the day, "-", the game
// number and 4 final characters. The first "-" separates day and number.
void cutBoxScoreLink(std::string_view cell, GameRow& row) {
    std::string_view link = row.boxScoreLink;
    auto unlike = [&] {
        return resultCellTrouble(cell, "the box score link " + quoteText(link) +
                                           " does not hold a day and a game number as './boxes/box245-3.htm' does");
    };
    std::size_t dash = cutting(
        [&] {
            return resultCellTrouble(cell, "the box score link " + quoteText(link) +
                                               " has no '-' between the day and the game number");
        },
        [&] { return findFirst(link, '-'); });
    row.gameNumberText = mid(cutting(unlike, [&] { return dropLast(link, 4); }), dash + 2, std::string_view::npos);
    row.gameDayText = cutting(unlike, [&] { return dropLast(dropFirst(link, 11), 5 + row.gameNumberText.size()); });
}

// "<td ...>&nbsp;<a href='rosters/roster12.htm'>North Ridge</a></font></td>":
// the first 48 characters end with the quote that opens the link; the name
// follows the first ">", one closing quote before it.
TeamCell cutTeamCell(std::string_view cell) {
    std::string_view s = cutting([&] { return "the team cell " + quoteText(cell) +
                                              " is too short to hold a roster link and a team's name"; },
                                 [&] { return dropFirst(dropLast(cell, 16), 48); });
    std::size_t gt = cutting([&] { return "the team cell " + quoteText(cell) +
                                          " has no '>' between the roster link and the team's name"; },
                             [&] { return findFirst(s, '>'); });
    TeamCell team;
    team.name = s.substr(gt + 1);
    auto noLink = [&] {
        return "the team cell " + quoteText(cell) + " holds no roster link (as 'rosters/roster12.htm') before the "
                                                 "team's name";
    };
    team.rosterLink = cutting(noLink, [&] { return dropLast(s.substr(0, gt), 1); });
    // The digits after the last "r" of "rosters/roster12"; without an "r"
    // the whole text, which then fails as a team index.
    std::string_view stem = cutting(noLink, [&] { return dropLast(team.rosterLink, 4); });
    std::size_t r = stem.rfind('r');
    team.number = r == std::string_view::npos ? stem : stem.substr(r + 1);
    return team;
}

// "<td class=main>&nbsp;11/14/2009</font></td>": after the first ";".
std::string_view cutDateCell(std::string_view cell) {
    std::string_view s = cutting([&] { return "the date cell " + quoteText(cell) + " is too short: it should end with "
                                              "'</font></td>'"; },
                                 [&] { return dropLast(cell, 12); });
    return s.substr(cutting([&] { return "the date cell " + quoteText(cell) +
                                         " has no ';' before the date (as in '&nbsp;11/14/2009')"; },
                            [&] { return findFirst(s, ';'); }) + 1);
}

} // namespace

std::string resultCellTrouble(std::string_view resultCell, std::string otherwise) {
    // The scores are what the page shows: after the cell's last ">" before
    // its closing tags.
    std::string_view shown = resultCell.size() >= 16 ? resultCell.substr(0, resultCell.size() - 16) : resultCell;
    shown = shown.substr(shown.rfind('>') + 1);
    if (shown.find('-') == std::string_view::npos || otherwise.empty())
        return "the score " + quoteText(shown) + " has no '-' between the two teams' scores";
    return otherwise;
}

GameRow cutGameRow(const GameRowCells& cells, std::string_view page) {
    GameRow row;
    at(page, cells.resultLine(), [&] {
        cutResultCell(cells.resultCell, row);
        cutBoxScoreLink(cells.resultCell, row);
    });
    row.team1 = at(page, cells.team1Line(), [&] { return cutTeamCell(cells.team1Cell); });
    row.team2 = at(page, cells.team2Line(), [&] { return cutTeamCell(cells.team2Cell); });
    row.gameDate = at(page, cells.dateLine(), [&] { return cutDateCell(cells.dateCell); });
    return row;
}

} // namespace vr
