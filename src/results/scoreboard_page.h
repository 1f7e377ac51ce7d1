// html\scoreboard.html: a fixed head, a date header per day of the period and
// a box per game, then two closing lines. Written during the period walk. The
// markup is kept exactly as the league's website has always shown it, odd
// spots included.
#pragma once

#include "results/game_table.h"
#include "snapshot/team_table.h"
#include "text/line_writer.h"

#include <string_view>

namespace vr {

void writeScoreboardHead(LineWriter& page);
void writeDateHeader(LineWriter& page, std::string_view date);
// Every game gets a box, top-25 or not; the team with the greater score gets
// the winner cells, the other the loser cells, a tie neither.
void writeGameBox(LineWriter& page, const GameEntry& game, const TeamTable& teams);
void writeScoreboardClosing(LineWriter& page);

// "(5) " before the name when the poll rank reads as a number below 26.
bool rankTagDue(std::string_view pollRank);

} // namespace vr
