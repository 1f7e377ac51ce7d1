// The application around the window.
#pragma once

#include "league/league_folder.h"

#include <QIcon>

namespace vr {

// Sets the running QApplication up as the window expects it: the Fusion
// style, the icon, and an end decided by the window's status alone (not by
// the last window closing, which would always end with status 0).
void setUpApplication();

// The application icon, from the program's resources (16 to 256 px).
QIcon applicationIcon();

// Loads the window on `league`, shows it and runs until it closes. Returns
// the exit status: 0 after Exit or the close box, 1 after a stop (one at
// the window load included, when the window never shows).
int runWindowOn(LeagueFolder& league);

} // namespace vr
