// Everything the window keeps between its handlers, for as long as it is
// open: the snapshot tables, the game table and the leader lists.
#pragma once

#include "results/game_table.h"
#include "results/leader_lists.h"
#include "snapshot/day_table.h"
#include "snapshot/team_table.h"

#include <optional>
#include <string>
#include <vector>

namespace vr {

struct LeagueState {
    TeamTable teams;
    DayTable days;
    GameTable games;
    LeaderLists leaders;
    // Where GO! keeps its play-by-play index; empty: it runs without one.
    std::string cacheFolder;
    // The play-by-play files the last GO! found missing ("pbp\245-3.txt"):
    // a half-finished export, which the headless run and the watch name.
    std::vector<std::string> missingPlayByPlay;
    // The teams of the standings page and the roster pages of html\rosters,
    // as the last window load found them: more pages than teams is a
    // standings page from before the export ended.
    long teamCount = 0;
    long rosterPages = 0;
    // What the last GO! did to the archive's periods, for the run's report
    // ("replaced the archived periods 249-251"); empty when nothing.
    std::string archiveNote;
    // The Message the posts carry when it is not the window's: an unattended
    // run's own (Windows-1252; empty: none). The window's Message belongs to
    // the run it was typed for, and is saved for the window all the same.
    std::optional<std::string> postMessage;
};

} // namespace vr
