#include "app/last_league.h"

#include "app/headless.h"
#include "host/config_folder.h"
#include "text/errors.h"

namespace vr {
namespace {

std::string leagueFile(const std::string& configFolder) { return configFolder + "/league.txt"; }

} // namespace

std::string rememberedLeague(FileSystem& fs, const std::string& configFolder) {
    if (configFolder.empty() || fs.kind(leagueFile(configFolder)) != EntryKind::File) return {};
    std::string text;
    try {
        FileSystem::Handle h = fs.open(leagueFile(configFolder), OpenMode::Input);
        char buffer[256];
        std::size_t n = 0;
        // A name is short: what goes past a line is not one.
        while ((n = fs.read(h, buffer, sizeof buffer)) > 0 && text.size() < 1024) text.append(buffer, n);
        fs.close(h);
    } catch (const Stop&) {
        return {};
    }
    std::string name = text.substr(0, text.find_first_of("\r\n"));
    return LeagueFolder::plainLeagueName(name) ? name : std::string();
}

void rememberLeague(FileSystem& fs, const std::string& configFolder, const std::string& league) {
    if (configFolder.empty() || !LeagueFolder::plainLeagueName(league) || rememberedLeague(fs, configFolder) == league) return;
    try {
        if (!fs.makeFolders(configFolder)) return;
        writeWhole(fs, leagueFile(configFolder), OpenMode::Output, league + "\r\n");
    } catch (const Stop&) {
        // Checked and let go: the next window finds the league as this one did.
    }
}

LeaguePlace windowPlace(FileSystem& fs) {
    LeaguePlace place = leaguePlaceFromEnvironment();
    if (place.league.empty()) place.remembered = rememberedLeague(fs, configFolderFromEnvironment());
    return place;
}

void rememberWindowLeague(LeagueFolder& league) {
    if (league.firstMissingFolder("leaguesettings.txt")) return;
    rememberLeague(league.fileSystem(), configFolderFromEnvironment(), league.leagueName());
}

} // namespace vr
