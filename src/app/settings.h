// The two small settings files of the league folder.
#pragma once

#include "league/league_folder.h"

#include <string>

namespace vr {

inline constexpr const char* kDefaultWebsite = "http://www.marrowdeen.example/";

struct Settings {
    std::string website;
    std::string message;
};

// Creates leaguesettings.txt (20 lines " 0 ") when missing; an existing one
// is never touched. The program never reads it.
void ensureLeagueSettings(LeagueFolder& league);

// Creates settings2.txt when missing (default website, empty message, saved
// as saveSettings does), then reads line 1 as the website and line 2 as the
// message, each whole; a missing line reads as empty.
Settings loadSettings(LeagueFolder& league);

// Writes the two lines to a new file beside settings2.txt and puts it in
// place in one step, so an interrupted save leaves the old or the new lines.
void saveSettings(LeagueFolder& league, const Settings& settings);

} // namespace vr
