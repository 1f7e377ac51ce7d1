// What the user reads when a handler stops: the stop's own line, in the
// host's spelling of its file, or, when the league or one of the game's
// folders is missing, that folder first, where the program looked and what
// to do, in the host's own terms.
#pragma once

#include "league/league_folder.h"
#include "text/errors.h"

#include <string>
#include <string_view>

namespace vr {

// The last line of a stop that replaced no publication.
inline constexpr std::string_view kLeftAsTheyWere =
    "Nothing was published: the publications were left as they were.";

// UTF-8 lines, without a final line end: the stop's message, advice where
// there is some, then what became of the publications.
std::string stopReport(const Stop& stop, LeagueFolder& league);

// The host's advice for a missing league folder at `leaguePath` under
// `drive` (one or two sentences, UTF-8). Host code: src/host/.
std::string missingLeagueAdvice(const std::string& drive, const std::string& leaguePath);

// Where the league folder lies on this host and how to point the program
// elsewhere: the end of the usage text, which runs on from its last line.
std::string leagueFolderHelp();

// The host's spelling of one of its paths for the user (backslashes on Windows).
std::string displayPath(const std::string& hostPath);
// A league file's name ("html\\standings.htm") in the host's spelling.
std::string displayLeagueFile(const std::string& file);

} // namespace vr
