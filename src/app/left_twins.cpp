#include "app/left_twins.h"

#include "additions/addition_files.h"
#include "text/errors.h"

#include <string_view>

namespace vr {
namespace {

const char* const kLoadFiles[] = {"leaguesettings.txt", "settings2.txt", "teams.txt", "teaminfo.txt",
                                  "schedfile.txt"};
const char* const kRunFiles[] = {"settings2.txt", "Upsets.txt", "TopResults.txt", "Test.txt", "~daily.txt",
                                 "html\\scoreboard.html"};

void removeFile(FileSystem& fs, const std::string& path) {
    if (fs.kind(path) == EntryKind::File) fs.remove(path);
}

void removeTwinOf(LeagueFolder& league, std::string_view file) {
    try {
        removeFile(league.fileSystem(), league.hostPath(std::string(file) + std::string(LeagueFolder::kTemporarySuffix)));
    } catch (const Stop&) {
        // Its folder is missing: no twin, and the run says so where it looks.
    }
}

// The twins in a league folder whose files `ours` takes for the program's.
template <class Ours>
void removeTwinsIn(LeagueFolder& league, std::string_view folder, Ours ours) {
    std::string host;
    try {
        host = league.hostPath(std::string(folder) + "\\x");
    } catch (const Stop&) {
        return;
    }
    host.resize(host.size() - 2);
    FileSystem& fs = league.fileSystem();
    const std::string_view suffix = LeagueFolder::kTemporarySuffix;
    for (const std::string& name : fs.listFiles(host)) {
        if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        if (ours(std::string_view(name).substr(0, name.size() - suffix.size()))) fs.remove(host + "/" + name);
    }
}

} // namespace

void removeLeftLoadTwins(LeagueFolder& league) {
    for (const char* file : kLoadFiles) removeTwinOf(league, file);
}

void removeLeftRunTwins(LeagueFolder& league) {
    for (const char* file : kRunFiles) removeTwinOf(league, file);
    removeTwinsIn(league, "html", [](std::string_view name) {
        return name == "periods.html" || numberInName(name, "scoreboard-day", ".html") ||
               numberInName(name, "digest-day", ".txt");
    });
    removeTwinsIn(league, "posts", [](std::string_view name) {
        return name == "forum.txt" || numberInName(name, "discord-", ".md");
    });
}

} // namespace vr
