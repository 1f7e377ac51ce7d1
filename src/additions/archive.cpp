#include "additions/archive.h"

#include "additions/addition_files.h"
#include "additions/digest_parts.h"
#include "additions/post_text.h"
#include "text/numbers.h"

#include <algorithm>
#include <map>

namespace vr {
namespace {

constexpr std::string_view kScoreboardPrefix = "scoreboard-day";
constexpr std::string_view kScoreboardSuffix = ".html";
constexpr std::string_view kDigestPrefix = "digest-day";
constexpr std::string_view kDigestSuffix = ".txt";
constexpr std::string_view kBox = "<div class=boxscore>";
constexpr std::string_view kDateHeader = "<div class=dateheader>";
constexpr std::string_view kDivEnd = "</div>";

std::string htmlName(const std::string& file) { return "html\\" + file; }

} // namespace

std::vector<ArchivedPeriod> archivedPeriods(FileSystem& fs, const std::string& htmlFolder) {
    return archivedPeriods(fs, htmlFolder, StagedWrites(fs));
}

std::vector<ArchivedPeriod> archivedPeriods(FileSystem& fs, const std::string& htmlFolder,
                                            const StagedWrites& batch) {
    std::map<long, ArchivedPeriod, std::greater<long>> periods;
    std::vector<std::string> names = fs.listFiles(htmlFolder);
    for (std::string& name : batch.stagedNames(htmlFolder)) names.push_back(std::move(name));
    for (const std::string& name : names) {
        if (auto day = numberInName(name, kScoreboardPrefix, kScoreboardSuffix)) {
            periods[*day].lastDay = *day;
            periods[*day].hasScoreboard = true;
        } else if (auto day2 = numberInName(name, kDigestPrefix, kDigestSuffix)) {
            periods[*day2].lastDay = *day2;
            periods[*day2].hasDigest = true;
        }
    }
    std::vector<ArchivedPeriod> list;
    for (auto& [day, p] : periods) list.push_back(p);
    return list;
}

std::optional<long> lastArchivedDay(FileSystem& fs, const std::string& htmlFolder) {
    std::vector<ArchivedPeriod> periods = archivedPeriods(fs, htmlFolder);
    if (periods.empty()) return std::nullopt;
    return periods.front().lastDay;
}

void archivePeriod(StagedWrites& batch, const std::string& htmlFolder, long lastDay, std::string_view scoreboard,
                   std::string_view digest) {
    const std::string board = scoreboardArchiveName(lastDay), text = digestArchiveName(lastDay);
    batch.write(htmlFolder + "/" + board, scoreboard, htmlName(board));
    batch.write(htmlFolder + "/" + text, digest, htmlName(text));
}

PeriodRow describePeriod(long lastDay, std::string_view scoreboard, std::string_view digest) {
    PeriodRow row;
    row.lastDay = lastDay;
    row.hasScoreboard = !scoreboard.empty();
    row.hasDigest = !digest.empty();
    // The scoreboard's lines: a date header per day, a box per game.
    std::string firstHeader, lastHeader;
    for (std::size_t at = 0; at < scoreboard.size();) {
        std::size_t end = scoreboard.find('\n', at);
        if (end == std::string_view::npos) end = scoreboard.size();
        std::string_view line = scoreboard.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line == kBox) {
            ++row.games;
        } else if (line.substr(0, kDateHeader.size()) == kDateHeader) {
            std::string_view date = line.substr(kDateHeader.size());
            if (date.size() >= kDivEnd.size() && date.substr(date.size() - kDivEnd.size()) == kDivEnd)
                date.remove_suffix(kDivEnd.size());
            if (row.dayCount++ == 0) firstHeader = decodeForPost(date);
            lastHeader = decodeForPost(date);
        }
        at = end + 1;
    }
    Digest d = readDigest(digest);
    row.firstDate = d.heading.empty() ? firstHeader : d.firstDate;
    row.lastDate = d.heading.empty() ? lastHeader : d.lastDate;
    return row;
}

void writePeriodsIndex(FileSystem& fs, StagedWrites& batch, const std::string& htmlFolder, std::string_view title) {
    // A file of the batch is read from the batch, the others from the disk.
    auto read = [&](const std::string& name) {
        const std::string path = htmlFolder + "/" + name;
        if (const std::string* staged = batch.staged(path)) return *staged;
        return readWholeFile(fs, path, htmlName(name));
    };
    std::vector<PeriodRow> rows;
    for (const ArchivedPeriod& p : archivedPeriods(fs, htmlFolder, batch)) {
        std::string board, text;
        if (p.hasScoreboard) board = read(scoreboardArchiveName(p.lastDay));
        if (p.hasDigest) text = read(digestArchiveName(p.lastDay));
        PeriodRow row = describePeriod(p.lastDay, board, text);
        row.hasScoreboard = p.hasScoreboard;
        row.hasDigest = p.hasDigest;
        rows.push_back(std::move(row));
    }
    batch.write(htmlFolder + "/periods.html", periodsPage(title, rows), "html\\periods.html");
}

} // namespace vr
