// A half-finished export named: play-by-play files that a played game or a
// later file of the same day says should be there. The run itself goes on
// as the files are; the headless run and the watch warn, the window does not.
#pragma once

#include "results/league_state.h"
#include "league/league_folder.h"
#include "results/season_reader.h"

#include <string>
#include <vector>

namespace vr {

// The missing files in the league's spelling ("pbp\245-3.txt"), by day and
// game, each once: those of `withoutPlayByPlay` (played games the schedule
// page lists), then any gap in a day's files (game 3 missing, game 4 there).
std::vector<std::string> missingPlayByPlayFiles(LeagueFolder& league, const std::vector<GameKey>& withoutPlayByPlay);

// The one-line warning for standard error or a log (UTF-8, no line end);
// empty when nothing is missing. The first few files by name, then how many
// more.
std::string incompleteExportWarning(const std::vector<std::string>& missing);

// The roster pages in html\rosters ("roster7.htm"), however many the
// standings page lists.
long countRosterPages(LeagueFolder& league);

// Whether the last window load and GO! found the export half-finished:
// play-by-play files missing, or more roster pages than teams.
bool exportLooksIncomplete(const LeagueState& state);
// The warning for all of it (UTF-8, one line each, no final line end);
// empty when nothing is amiss.
std::string exportWarnings(const LeagueState& state);

// Files named before "and N more".
inline constexpr std::size_t kFilesNamed = 5;

} // namespace vr
