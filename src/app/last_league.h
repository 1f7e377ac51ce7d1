// The league the window used last, kept in the user's configuration folder:
// a commissioner of another league than the default chooses it once.
#pragma once

#include "league/league_folder.h"
#include "text/file_system.h"

#include <string>

namespace vr {

// The name kept in `configFolder`, or "" when none is kept or it cannot be read.
std::string rememberedLeague(FileSystem& fs, const std::string& configFolder);

// Keeps `league` for the next window. A failure to write loses only the
// convenience: it is not the league's, and does not stop the window.
void rememberLeague(FileSystem& fs, const std::string& configFolder, const std::string& league);

// The window's league place: as the environment gives it, with the league
// last used when no league is chosen.
LeaguePlace windowPlace(FileSystem& fs);
// Keeps the window's league once its folder was found.
void rememberWindowLeague(LeagueFolder& league);

} // namespace vr
