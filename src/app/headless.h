// The headless run: the window load and GO! without a window, for scripts
// and scheduled runs after each simulation.
#pragma once

#include "host/drive.h"
#include "host/watch_clock.h"
#include "league/league_folder.h"
#include "text/file_system.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vr {

inline constexpr const char* kVersion = "0.1.0";

// Where the program looks for the league on this host.
inline LeaguePlace leaguePlaceFromEnvironment() {
    LeaguePlace place(driveFromEnvironment(), documentsFromEnvironment());
    place.league = leagueFromEnvironment();
    return place;
}

// `args` are the command-line arguments after the program name. Score list
// lines go to `out` as they are added; a stop's message goes to `err`.
// Returns the exit status: 0 done, 1 stopped, 2 bad usage.
// `clock` is the watch's (the host's when none is given).
// The program the usage names: the window's, or its console twin.
struct HeadlessProgram {
    std::string_view name = "vellor-results";
    bool hasWindow = true;
};
int runHeadless(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                FileSystem& fs, const LeaguePlace& place, WatchClock* clock = nullptr,
                const HeadlessProgram& program = {});

} // namespace vr
