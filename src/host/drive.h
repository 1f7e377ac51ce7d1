// Where the league lies on this host, and how the program tells the user:
// the drive standing for "C:\", the Public Documents folder where the host
// names one, and the texts about them. Host code: src/host/*_drive.cpp.
#pragma once

#include <string>

namespace vr {

// The host folder standing for "C:\": VELLOR_DRIVE_C, else on POSIX
// $WINEPREFIX/drive_c, else ~/.wine/drive_c; on Windows "C:" (an empty
// variable counts as unset).
std::string driveFromEnvironment();
// The host's Public Documents folder, which stands for
// "C:\Users\Public\Documents" and need not lie on C:; "" where the host
// names none or VELLOR_DRIVE_C names the drive.
std::string documentsFromEnvironment();
// The league VELLOR_LEAGUE names in leaguedata; "" when unset.
std::string leagueFromEnvironment();

// The host's advice for a missing league folder at `leaguePath` under
// `drive` (one or two sentences, UTF-8).
std::string missingLeagueAdvice(const std::string& drive, const std::string& leaguePath);

// Where the league folder lies on this host and how to point the program
// elsewhere: the end of the usage text, which runs on from its last line.
std::string leagueFolderHelp();

// A league's name from the command line (UTF-8, as the arguments reach the
// run on every host) in the host's bytes for its folder: as it is on
// POSIX, Windows-1252 on Windows ("?" for a character outside it).
std::string leagueFromArgument(const std::string& utf8);
// The host's spelling of one of its paths for the user (backslashes on Windows).
std::string displayPath(const std::string& hostPath);
// A league file's name ("html\\standings.htm") in the host's spelling.
std::string displayLeagueFile(const std::string& file);

} // namespace vr
