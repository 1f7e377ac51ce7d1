#include "snapshot/team_list.h"

#include "league/page_end.h"
#include "text/cuts.h"
#include "text/errors.h"

namespace vr {
namespace {

// Every team of the standings page stands on a line that opens with exactly
// this cell and link (seven spaces first); lines of any other form are skipped.
constexpr std::string_view kStandingsLine =
    "       <td class=main align=left>&nbsp;<a class=link";
static_assert(kStandingsLine.size() == 52);

// The link and its cell close in the line's last 9 characters ("</a></td>").
constexpr std::size_t kLinkClose = 9;

} // namespace

long readTeamList(LeagueFolder& league) {
    auto standings = league.openInput("html\\standings.htm");
    auto teams = league.openOutput("teams.txt");
    long teamCount = 0;
    bool closed = false; // the last line not blank closes the page

    while (!standings->atEnd()) {
        std::string_view line = standings->readLine();
        if (line.find_first_not_of(" \t") != std::string_view::npos) closed = isPageClose(line);
        if (!startsWith(line, kStandingsLine)) continue;
        // The link text: after the last ">" before the closing tags. The
        // prefix holds a ">" of its own, so one is always found.
        at(standings->name(), standings->lineNumber(), [&] {
            std::string_view rest = dropLast(line, kLinkClose);
            teams->line(rest.substr(findLast(rest, '>') + 1));
        });
        ++teamCount;
    }

    // A page cut short would give a part of the league as the whole.
    if (!closed) throw PageCutShort(standings->name());
    standings->close();
    teams->close();
    return teamCount;
}

} // namespace vr
