// The watch mode: publishes each new export of the game by itself. It polls
// the game's own outputs (a stat each, nothing read) and, once they have
// stood still for the settle time, compares the last simulated day with the
// last day the archive holds; a new day is published with the window load
// and GO!, over the days since the last publication.
#pragma once

#include "host/watch_clock.h"
#include "league/league_folder.h"
#include "text/file_system.h"

#include <ostream>
#include <string>

namespace vr {

struct WatchOptions {
    long days = 3;        // the period when nothing earlier is archived
    double settle = 20;   // seconds the export must stand still
    std::string log;      // a host file the lines are appended to as well
    std::string cacheFolder; // the play-by-play index's; empty: none
    bool send = true;        // each publication sent on, where a profile says where
    std::string message;     // the posts' Message (Windows-1252); empty: none
    std::string lockFolder;  // where one watch per league is held; empty: no such hold
};

// The pauses before a failed send is tried again, growing to the longest.
inline constexpr double kFirstSendRetry = 60;
inline constexpr double kLongestSendRetry = 30 * 60;

// How often the league is looked at.
inline constexpr double kWatchPoll = 1.0;
// Every so many looks the play-by-play files and the box score pages are
// stat'ed one by one as well (a season has thousands): a file of theirs
// rewritten in place, which changes no folder's own stat, is seen within
// that many seconds. The pages and the roster pages are stat'ed at each look,
// and any change among them has the rest looked at too.
inline constexpr int kDeepLookEvery = 10;
// How long a half-finished export (play-by-play files missing) is waited
// for before it is published anyway, with the warning.
inline constexpr double kIncompleteWait = 600;

// Runs until an end is asked for, then returns 0. One line per publication
// or stop goes to `out` (and the log).
int runWatch(const WatchOptions& options, std::ostream& out, FileSystem& fs, const LeaguePlace& place,
             WatchClock& clock);

} // namespace vr
