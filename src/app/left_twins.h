// The twins a run cut short (killed, or the machine down) left beside the
// files it was writing: removed at the start of the next run, before it
// writes anything, so that none stays for ever. Only the program's own
// names go; a folder or special file of such a name is left to the open
// that will refuse it.
#pragma once

#include "league/league_folder.h"

namespace vr {

// Those of the window load: the settings and the team files.
void removeLeftLoadTwins(LeagueFolder& league);
// Those of GO!: its publications, the archive and the posts.
void removeLeftRunTwins(LeagueFolder& league);

} // namespace vr
