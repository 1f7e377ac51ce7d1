// The leaders half of publishing: the box score section of Test.txt and the
// stat leaders that end ~daily.txt.
#include "results/publishing.h"

#include "results/box_score_reader.h"
#include "results/digest_lines.h"
#include "results/stat_leaders.h"

namespace vr {

void publishLeaders(LeagueFolder& league, LeagueState& state, const Period& period,
                    std::string_view website) {
    auto test = league.openAppend("Test.txt");
    test->line(kDashLine);
    test->line("Finding Pts, Reb, Ast Leaders for Sim");
    test->line(kDashLine);
    test->endLine();

    auto daily = league.openAppend("~daily.txt");
    daily->line(kDashLine);
    daily->endLine();

    readBoxScores(league, state, period, *test);
    writeLeaders(*daily, state.leaders, state.games, period, website);
    test->close();
    daily->close();
}

} // namespace vr
