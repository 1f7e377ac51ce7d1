// Where the league lies on Windows: the system's Public Documents folder
// (C:\Users\Public\Documents on a standard installation, but not on every
// machine), or below the folder VELLOR_DRIVE_C names as C:\ (a league copied
// elsewhere; how the tests point the program at a generated league).
#include "host/drive.h"
#include "host/environment.h"
#include "host/windows_paths.h"
#include "text/code_page.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

namespace vr {
namespace {

// The known folder; "" when the system names none.
std::string publicDocuments() {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_PublicDocuments, KF_FLAG_DEFAULT, nullptr, &path)) && path)
        folder = fromSystemName(path);
    CoTaskMemFree(path);
    return folder;
}

} // namespace

std::string driveFromEnvironment() {
    std::string drive = environmentVariable("VELLOR_DRIVE_C");
    return drive.empty() ? std::string("C:") : drive;
}

std::string documentsFromEnvironment() {
    if (!environmentVariable("VELLOR_DRIVE_C").empty()) return {};
    return publicDocuments();
}

std::string leagueFromEnvironment() { return environmentVariable("VELLOR_LEAGUE"); }

std::string leagueFromArgument(const std::string& utf8) { return utf8ToCodePage(utf8); }

std::string displayPath(const std::string& hostPath) { return displayPathOf(hostPath); }

std::string displayLeagueFile(const std::string& file) { return file; }

std::string leagueFolderHelp() {
    return "The league folder lies in the\n"
           "Public Documents folder (GDS\\Fast Break College Basketball 2010\\leaguedata\\\n"
           "Marrowdeen), or below the folder VELLOR_DRIVE_C names as C:\\.\n";
}

std::string missingLeagueAdvice(const std::string& drive, const std::string& leaguePath) {
    const std::string set = environmentVariable("VELLOR_DRIVE_C");
    const std::string documents = publicDocuments();
    const std::string at = "There is no league folder at " + displayPath(leaguePath);
    if (!set.empty() && drive == set)
        return at + " (VELLOR_DRIVE_C gives " + displayPath(drive) +
               " as drive C:). Set VELLOR_DRIVE_C to the folder that stands for C:\\ (the one holding Users), "
               "or clear it to use the Public Documents folder.";
    if (set.empty() && !documents.empty() && leaguePath.rfind(documents, 0) == 0)
        return at + " (in the Public Documents folder). Start the game and open the league once so that it "
                    "exports its pages there, or set VELLOR_DRIVE_C to the folder that stands for C:\\ of a "
                    "league copied elsewhere.";
    return at + " (under " + displayPath(drive) + ", the folder standing for drive C:). Set VELLOR_DRIVE_C to "
                "the folder that stands for C:\\ (the one holding Users), and start again.";
}

} // namespace vr
