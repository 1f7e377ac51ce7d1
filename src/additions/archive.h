// The archive of periods in the html folder, one folder per season:
// html\seasons\<season>\ holds each period's scoreboard page and digest
// under its last day, its page for phones, and copies of the box score
// pages and pictures they link to. html\periods.html lists the seasons,
// each season's index.html its periods, and html\latest.html is the newest
// period's page. The archive holds one timeline: a period published over
// archived ones replaces them.
#pragma once

#include "additions/addition_files.h"
#include "additions/period_games.h"
#include "additions/periods_page.h"
#include "text/file_system.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vr {

struct ArchivedPeriod {
    long lastDay = 0;
    bool hasScoreboard = false, hasDigest = false, hasPeriodPage = false;
};

// The periods whose files lie in `folder` (a host path), newest first.
std::vector<ArchivedPeriod> archivedPeriods(FileSystem& fs, const std::string& folder);
// The same, with the files a batch is about to put there.
std::vector<ArchivedPeriod> archivedPeriods(FileSystem& fs, const std::string& folder, const StagedWrites& batch);
// The seasons of html\seasons, newest first.
std::vector<std::string> archivedSeasons(FileSystem& fs, const std::string& htmlFolder);
// The latest last day of the newest season (or of an archive not yet moved
// into seasons); none while the archive is empty.
std::optional<long> lastArchivedDay(FileSystem& fs, const std::string& htmlFolder);

std::string seasonFolder(const std::string& htmlFolder, const std::string& season);

// A period's row read from its archived files (either may be empty when
// missing); texts decoded for the page.
PeriodRow describePeriod(long lastDay, std::string_view scoreboard, std::string_view digest);

// A file to remove once the batch is in place, and its name for a stop.
struct Removal {
    std::string path, name;
};
void removeAll(FileSystem& fs, const std::vector<Removal>& files);

struct ArchiveRun {
    std::string htmlFolder, season, title;
    Period period;
    std::string scoreboard, digest; // the run's files, byte for byte
};

// Puts the run's period into the batch: its two files, its page for phones
// (and html\latest.html when it is the newest), the files they link to, the
// indexes. The archived periods it replaces are added to `removeAfter`
// and named in the returned line ("replaced the archived periods 249-251,
// 252-253"), "" when it replaces none.
std::string archivePeriod(FileSystem& fs, StagedWrites& batch, std::vector<Removal>& removeAfter,
                          const ArchiveRun& run, const LeagueTables& tables);

// Moves an archive kept in the html folder itself (scoreboard-day<L>.html,
// digest-day<L>.txt) into its seasons, by the dates of its scoreboards;
// those of `run.season` get their box score copies and pages for phones.
// A file is removed from the html folder only once its copy is in place.
void moveFlatArchive(FileSystem& fs, const ArchiveRun& run, const LeagueTables& tables);

} // namespace vr
