// The season's archive of periods in the html folder: each completed run
// keeps a copy of its scoreboard page and its digest under the period's
// last day, and html\periods.html lists what the archive holds.
#pragma once

#include "additions/addition_files.h"
#include "additions/periods_page.h"
#include "text/file_system.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vr {

struct ArchivedPeriod {
    long lastDay = 0;
    bool hasScoreboard = false, hasDigest = false;
};

// The periods whose files lie in `htmlFolder` (a host path), newest first.
std::vector<ArchivedPeriod> archivedPeriods(FileSystem& fs, const std::string& htmlFolder);
// The same, with the files a batch is about to put there.
std::vector<ArchivedPeriod> archivedPeriods(FileSystem& fs, const std::string& htmlFolder,
                                            const StagedWrites& batch);
// The latest last day of the archive; none while it is empty.
std::optional<long> lastArchivedDay(FileSystem& fs, const std::string& htmlFolder);

// Copies the run's two files, byte for byte, replacing those of an earlier
// run with the same last day.
void archivePeriod(StagedWrites& batch, const std::string& htmlFolder, long lastDay, std::string_view scoreboard,
                   std::string_view digest);

// A period's row read from its archived files (either may be empty when
// missing); texts decoded for the page.
PeriodRow describePeriod(long lastDay, std::string_view scoreboard, std::string_view digest);

// Rebuilds html\periods.html from the archive's own files, those of the
// batch among them.
void writePeriodsIndex(FileSystem& fs, StagedWrites& batch, const std::string& htmlFolder, std::string_view title);

} // namespace vr
