#include "additions/after_go.h"

#include "additions/addition_files.h"
#include "additions/archive.h"
#include "additions/posts_files.h"

namespace vr {
namespace {

// The host folder of a league file's folder ("html\scoreboard.html" ->
// ".../html").
std::string folderOf(const std::string& hostPath) { return hostPath.substr(0, hostPath.rfind('/')); }

} // namespace

void publishAdditions(LeagueFolder& league, const Period& period, std::string_view message) {
    FileSystem& fs = league.fileSystem();
    const std::string boardPath = league.hostPath("html\\scoreboard.html");
    const std::string digestPath = league.hostPath("~daily.txt");
    const std::string scoreboard = readWholeFile(fs, boardPath, "html\\scoreboard.html");
    const std::string digest = readWholeFile(fs, digestPath, "~daily.txt");

    // All of them or none: a stop among them leaves the archive and the
    // posts of the last run that completed.
    StagedWrites batch(fs);
    const std::string html = folderOf(boardPath);
    archivePeriod(batch, html, period.lastDay, scoreboard, digest);
    writePeriodsIndex(fs, batch, html, kLeagueName);
    const std::string posts = folderOf(digestPath) + "/posts";
    const std::size_t messages = writePosts(batch, fs, posts, digest, message);
    batch.complete();
    removeStalePosts(fs, posts, messages);
    // The html folder's listing held for this handler no longer holds.
    league.forgetFolders();
}

} // namespace vr
