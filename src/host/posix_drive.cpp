// Where "C:\" lies on a POSIX host: a Wine prefix's drive_c, or a folder
// named outright.
#include "host/drive.h"
#include "host/environment.h"

namespace vr {

std::string driveFromEnvironment() {
    std::string drive = environmentVariable("VELLOR_DRIVE_C");
    if (!drive.empty()) return drive;
    std::string prefix = environmentVariable("WINEPREFIX");
    if (!prefix.empty()) return prefix + "/drive_c";
    return environmentVariable("HOME") + "/.wine/drive_c";
}

std::string documentsFromEnvironment() { return {}; }

std::string leagueFromEnvironment() { return environmentVariable("VELLOR_LEAGUE"); }

std::string leagueFromArgument(const std::string& utf8) { return utf8; }

std::string displayPath(const std::string& hostPath) { return hostPath; }

std::string displayLeagueFile(const std::string& file) {
    std::string shown = file;
    for (char& c : shown)
        if (c == '\\') c = '/';
    return shown;
}

std::string leagueFolderHelp() {
    return "The league folder lies under the\n"
           "folder standing for C:\\ (VELLOR_DRIVE_C, else $WINEPREFIX/drive_c, else\n"
           "~/.wine/drive_c).\n";
}

std::string missingLeagueAdvice(const std::string& drive, const std::string& leaguePath) {
    const std::string set = environmentVariable("VELLOR_DRIVE_C");
    const std::string prefix = environmentVariable("WINEPREFIX");
    std::string where;
    std::string what = "Set WINEPREFIX to the Wine prefix the game runs in, or VELLOR_DRIVE_C to the folder that "
                       "stands for C:\\, and start again.";
    if (!set.empty() && drive == set) {
        where = "VELLOR_DRIVE_C gives " + drive + " as drive C:";
        what = "Set VELLOR_DRIVE_C to the folder that stands for C:\\ (the one holding Users), or unset it to use "
               "the Wine prefix.";
    } else if (set.empty() && !prefix.empty() && drive == prefix + "/drive_c") {
        where = "drive C: of the Wine prefix in WINEPREFIX";
    } else if (set.empty() && prefix.empty() && drive == environmentVariable("HOME") + "/.wine/drive_c") {
        where = "drive C: of the default Wine prefix, ~/.wine";
    } else {
        where = "under " + drive + ", the folder standing for drive C:";
    }
    return "There is no league folder at " + leaguePath + " (" + where + "). " + what;
}

} // namespace vr
