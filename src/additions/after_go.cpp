#include "additions/after_go.h"

#include "additions/addition_files.h"
#include "additions/archive.h"
#include "additions/period_page.h"
#include "additions/posts_files.h"
#include "additions/season_name.h"
#include "league/league_folder.h"
#include "text/code_page.h"

namespace vr {
namespace {

// The host folder of a league file's folder ("html\scoreboard.html" ->
// ".../html").
std::string folderOf(const std::string& hostPath) { return hostPath.substr(0, hostPath.rfind('/')); }

} // namespace

std::string publishAdditions(LeagueFolder& league, const Period& period, std::string_view message,
                             const LeagueTables& tables, std::string_view web) {
    FileSystem& fs = league.fileSystem();
    const std::string boardPath = league.hostPath("html\\scoreboard.html");
    const std::string digestPath = league.hostPath("~daily.txt");
    ArchiveRun run;
    run.htmlFolder = folderOf(boardPath);
    // The league as the run found it: another league than the default is
    // named by its own folder, in the host's bytes (UTF-8 on Linux).
    run.title = nameToUtf8(league.leagueName());
    run.period = period;
    run.scoreboard = readWholeFile(fs, boardPath, "html\\scoreboard.html");
    run.digest = readWholeFile(fs, digestPath, "~daily.txt");
    // The season by the first game of the table; a table without dates (no
    // game played) falls back on the period's own.
    run.season = seasonOfGames(tables.games);
    if (run.season.empty()) run.season = seasonOfDate(describePeriod(period.lastDay, run.scoreboard, "").firstDate);
    if (run.season.empty()) run.season = "undated";

    // An archive kept in the html folder by an earlier version goes into
    // its seasons first, in a step of its own.
    moveFlatArchive(fs, run, tables);

    // All of them or none: a stop among them leaves the archive and the
    // posts of the last run that completed.
    StagedWrites batch(fs);
    std::vector<Removal> replaced;
    const std::string note = archivePeriod(fs, batch, replaced, run, tables);
    const std::string posts = folderOf(digestPath) + "/posts";
    const std::string season = "seasons/" + run.season + "/";
    const std::size_t messages = writePosts(batch, fs, posts, run.digest, message, season + periodPageName(period.lastDay),
                                            season + scoreboardArchiveName(period.lastDay), web);
    batch.complete();
    removeAll(fs, replaced);
    removeStalePosts(fs, posts, messages);
    // The html folder's listing held for this handler no longer holds.
    league.forgetFolders();
    return note;
}

} // namespace vr
