#include "app/send_after_go.h"

#include "additions/archive.h"
#include "host/cache_folder.h"
#include "host/config_folder.h"
#include "text/errors.h"
#include "text/numbers.h"

namespace vr {
namespace {

// A league file's folder as a host path ("html\\x" -> ".../html").
std::string folderOf(LeagueFolder& league, std::string_view file) {
    const std::string path = league.hostPath(file);
    return path.substr(0, path.rfind('/'));
}

} // namespace

SendOutcome sendAfterGo(LeagueFolder& league, std::optional<long> lastDay, std::ostream* progress) {
    return sendDue(sendRequestFor(league, lastDay, progress));
}

SendRequest sendRequestFor(LeagueFolder& league, std::optional<long> lastDay, std::ostream* progress) {
    SendRequest request;
    request.configFolder = configFolderFromEnvironment();
    request.cacheFolder = cacheFolderFromEnvironment();
    request.progress = progress;
    try {
        request.htmlFolder = folderOf(league, "html\\x");
        request.postsFolder = folderOf(league, "posts\\x");
        if (!lastDay) lastDay = lastArchivedDay(league.fileSystem(), request.htmlFolder);
    } catch (const Stop&) {
        // No league folder to name: the sending says what it misses.
    }
    if (lastDay) request.periodKey = "day " + plainDigits(*lastDay);
    return request;
}

void reportSending(const SendOutcome& outcome, std::ostream& to) {
    for (const std::string& line : outcome.lines) to << line << '\n';
    for (const std::string& line : outcome.failures) to << line << '\n';
    to.flush();
}

} // namespace vr
