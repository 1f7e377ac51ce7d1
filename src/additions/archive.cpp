#include "additions/archive.h"

#include "additions/addition_files.h"
#include "additions/archive_links.h"
#include "additions/digest_parts.h"
#include "additions/period_page.h"
#include "additions/post_text.h"
#include "additions/season_name.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <algorithm>
#include <map>

namespace vr {
namespace {

constexpr std::string_view kScoreboardPrefix = "scoreboard-day";
constexpr std::string_view kScoreboardSuffix = ".html";
constexpr std::string_view kDigestPrefix = "digest-day";
constexpr std::string_view kDigestSuffix = ".txt";
constexpr std::string_view kPeriodPrefix = "period-day";
constexpr std::string_view kPeriodSuffix = ".html";
constexpr std::string_view kBox = "<div class=boxscore>";
constexpr std::string_view kDateHeader = "<div class=dateheader>";
constexpr std::string_view kDivEnd = "</div>";

std::string seasonName(const std::string& season, const std::string& file) {
    return "html\\seasons\\" + season + (file.empty() ? "" : "\\" + file);
}

// A file of the batch is read from the batch, the others from the disk.
std::string readFile(FileSystem& fs, const StagedWrites& batch, const std::string& path, std::string_view name) {
    if (const std::string* staged = batch.staged(path)) return *staged;
    return readWholeFile(fs, path, name);
}

bool removed(const std::vector<Removal>& removals, const std::string& path) {
    return std::any_of(removals.begin(), removals.end(), [&](const Removal& r) { return r.path == path; });
}

// The rows of a season's index, without the files about to be removed.
SeasonRows seasonRows(FileSystem& fs, const StagedWrites& batch, const std::string& htmlFolder,
                      const std::string& season, const std::vector<Removal>& removals) {
    const std::string folder = seasonFolder(htmlFolder, season);
    SeasonRows s{season, {}};
    for (const ArchivedPeriod& p : archivedPeriods(fs, folder, batch)) {
        const std::string board = scoreboardArchiveName(p.lastDay), text = digestArchiveName(p.lastDay),
                          page = periodPageName(p.lastDay);
        const bool hasBoard = p.hasScoreboard && !removed(removals, folder + "/" + board);
        const bool hasText = p.hasDigest && !removed(removals, folder + "/" + text);
        const bool hasPage = p.hasPeriodPage && !removed(removals, folder + "/" + page);
        if (!hasBoard && !hasText && !hasPage) continue;
        PeriodRow row = describePeriod(p.lastDay,
                                       hasBoard ? readFile(fs, batch, folder + "/" + board, seasonName(season, board)) : "",
                                       hasText ? readFile(fs, batch, folder + "/" + text, seasonName(season, text)) : "");
        row.hasScoreboard = hasBoard;
        row.hasDigest = hasText;
        row.hasPeriodPage = hasPage;
        s.rows.push_back(std::move(row));
    }
    return s;
}

// html\periods.html and the index of every season, from the archive's own
// files, those of the batch among them.
void writeIndexes(FileSystem& fs, StagedWrites& batch, const std::string& htmlFolder, std::string_view title,
                  const std::vector<Removal>& removals) {
    std::vector<SeasonRows> seasons;
    for (const std::string& season : archivedSeasons(fs, htmlFolder)) {
        SeasonRows rows = seasonRows(fs, batch, htmlFolder, season, removals);
        const std::string index = seasonFolder(htmlFolder, season) + "/index.html";
        const std::string page = seasonIndexPage(title, rows);
        if (fs.kind(index) != EntryKind::File || readWholeFile(fs, index, seasonName(season, "index.html")) != page)
            batch.write(index, page, seasonName(season, "index.html"));
        if (!rows.rows.empty()) seasons.push_back(std::move(rows));
    }
    const std::string latest = htmlFolder + "/latest.html";
    const bool hasLatest = batch.staged(latest) || fs.kind(latest) == EntryKind::File;
    batch.write(htmlFolder + "/periods.html", periodsPage(title, seasons, hasLatest), "html\\periods.html");
}

// The first day of an archived period, by the days its scoreboard shows.
long firstDayOf(long lastDay, std::string_view scoreboard) {
    const PeriodRow row = describePeriod(lastDay, scoreboard, "");
    return row.dayCount > 0 ? lastDay - row.dayCount + 1 : lastDay;
}

std::string span(long first, long last) {
    return first == last ? plainDigits(last) : plainDigits(first) + "-" + plainDigits(last);
}

void writePeriodPage(StagedWrites& batch, const std::string& folder, const std::string& season,
                     const PeriodPage& page) {
    const std::string name = periodPageName(page.lastDay);
    batch.write(folder + "/" + name, periodPageHtml(page), seasonName(season, name));
}

} // namespace

std::vector<ArchivedPeriod> archivedPeriods(FileSystem& fs, const std::string& folder) {
    return archivedPeriods(fs, folder, StagedWrites(fs));
}

std::vector<ArchivedPeriod> archivedPeriods(FileSystem& fs, const std::string& folder, const StagedWrites& batch) {
    std::map<long, ArchivedPeriod, std::greater<long>> periods;
    std::vector<std::string> names = fs.listFiles(folder);
    for (std::string& name : batch.stagedNames(folder)) names.push_back(std::move(name));
    for (const std::string& name : names) {
        if (auto day = numberInName(name, kScoreboardPrefix, kScoreboardSuffix)) {
            periods[*day].lastDay = *day;
            periods[*day].hasScoreboard = true;
        } else if (auto day2 = numberInName(name, kDigestPrefix, kDigestSuffix)) {
            periods[*day2].lastDay = *day2;
            periods[*day2].hasDigest = true;
        } else if (auto day3 = numberInName(name, kPeriodPrefix, kPeriodSuffix)) {
            periods[*day3].lastDay = *day3;
            periods[*day3].hasPeriodPage = true;
        }
    }
    std::vector<ArchivedPeriod> list;
    for (auto& [day, p] : periods) list.push_back(p);
    return list;
}

std::vector<std::string> archivedSeasons(FileSystem& fs, const std::string& htmlFolder) {
    std::vector<std::string> seasons;
    const std::string folder = htmlFolder + "/seasons";
    for (std::string& name : fs.list(folder))
        if (fs.kind(folder + "/" + name) == EntryKind::Directory) seasons.push_back(std::move(name));
    sortNewestFirst(seasons);
    return seasons;
}

std::optional<long> lastArchivedDay(FileSystem& fs, const std::string& htmlFolder) {
    std::vector<ArchivedPeriod> periods = archivedPeriods(fs, htmlFolder);
    for (const std::string& season : archivedSeasons(fs, htmlFolder)) {
        std::vector<ArchivedPeriod> own = archivedPeriods(fs, seasonFolder(htmlFolder, season));
        if (own.empty()) continue;
        periods.insert(periods.end(), own.begin(), own.end());
        break;
    }
    if (periods.empty()) return std::nullopt;
    long last = periods.front().lastDay;
    for (const ArchivedPeriod& p : periods) last = std::max(last, p.lastDay);
    return last;
}

std::string seasonFolder(const std::string& htmlFolder, const std::string& season) {
    return htmlFolder + "/seasons/" + season;
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

void removeAll(FileSystem& fs, const std::vector<Removal>& files) {
    for (const Removal& r : files)
        at(r.name, 0, [&] {
            if (fs.kind(r.path) == EntryKind::File) fs.remove(r.path);
        });
}

std::string archivePeriod(FileSystem& fs, StagedWrites& batch, std::vector<Removal>& removeAfter,
                          const ArchiveRun& run, const LeagueTables& tables) {
    const std::string& season = run.season;
    const std::string folder = seasonFolder(run.htmlFolder, season);
    makeFolderFor(fs, folder, seasonName(season, ""));
    const long first = run.period.firstDay(), last = run.period.lastDay;

    // One timeline: the archived periods that share a day with this one, or
    // lie past the league's last simulated day (a backup was restored), are
    // replaced by it.
    std::vector<std::pair<long, long>> replaced;
    for (const ArchivedPeriod& p : archivedPeriods(fs, folder)) {
        const std::string board = scoreboardArchiveName(p.lastDay);
        const std::string bytes = p.hasScoreboard ? readWholeFile(fs, folder + "/" + board, seasonName(season, board)) : "";
        const long from = firstDayOf(p.lastDay, bytes);
        if (p.lastDay == last) {
            // The same period published again is no news.
            if (from != first || (p.hasScoreboard && bytes != run.scoreboard)) replaced.emplace_back(from, p.lastDay);
            continue;
        }
        const bool overlaps = from <= last && p.lastDay >= first;
        const bool discarded = tables.days.lastDay && from > *tables.days.lastDay;
        if (!overlaps && !discarded) continue;
        replaced.emplace_back(from, p.lastDay);
        for (const std::string& name :
             {board, digestArchiveName(p.lastDay), periodPageName(p.lastDay)})
            removeAfter.push_back({folder + "/" + name, seasonName(season, name)});
    }

    const std::string board = scoreboardArchiveName(last), text = digestArchiveName(last);
    batch.write(folder + "/" + board, run.scoreboard, seasonName(season, board));
    batch.write(folder + "/" + text, run.digest, seasonName(season, text));
    const std::set<std::string> present =
        copyLinkedFiles(fs, batch, run.htmlFolder, folder, season, run.scoreboard);
    writePeriodPage(batch, folder, season, periodPageFor(tables, run.period, run.title, season, "", present));

    // html\latest.html when no later period or season is archived.
    const std::vector<std::string> seasons = archivedSeasons(fs, run.htmlFolder);
    bool newest = !seasons.empty() && seasons.front() == season;
    for (const ArchivedPeriod& p : archivedPeriods(fs, folder))
        if (p.lastDay > last && !removed(removeAfter, folder + "/" + scoreboardArchiveName(p.lastDay)))
            newest = false;
    if (newest)
        batch.write(run.htmlFolder + "/latest.html",
                    periodPageHtml(periodPageFor(tables, run.period, run.title, season, "seasons/" + season + "/", present)),
                    "html\\latest.html");
    writeIndexes(fs, batch, run.htmlFolder, run.title, removeAfter);

    if (replaced.empty()) return "";
    std::sort(replaced.begin(), replaced.end());
    std::string line = replaced.size() == 1 ? "replaced the archived period " : "replaced the archived periods ";
    for (std::size_t i = 0; i < replaced.size(); ++i)
        line += (i ? ", " : "") + span(replaced[i].first, replaced[i].second);
    return line;
}

void moveFlatArchive(FileSystem& fs, const ArchiveRun& run, const LeagueTables& tables) {
    const std::vector<ArchivedPeriod> flat = archivedPeriods(fs, run.htmlFolder);
    if (flat.empty()) return;
    StagedWrites batch(fs);
    std::vector<Removal> moved;
    for (const ArchivedPeriod& p : flat) {
        const std::string board = scoreboardArchiveName(p.lastDay), text = digestArchiveName(p.lastDay);
        std::map<std::string, std::string> files;
        if (p.hasScoreboard) files[board] = readWholeFile(fs, run.htmlFolder + "/" + board, "html\\" + board);
        if (p.hasDigest) files[text] = readWholeFile(fs, run.htmlFolder + "/" + text, "html\\" + text);
        const PeriodRow row = describePeriod(p.lastDay, files[board], files[text]);
        std::string season = seasonOfDate(row.firstDate);
        if (season.empty()) season = seasonOfDate(row.lastDate);
        if (season.empty()) season = run.season;
        const std::string folder = seasonFolder(run.htmlFolder, season);
        makeFolderFor(fs, folder, seasonName(season, ""));
        for (const auto& [name, bytes] : files) {
            if (!p.hasScoreboard && name == board) continue;
            if (!p.hasDigest && name == text) continue;
            const std::string target = folder + "/" + name;
            // A file already there with other bytes is kept, and so is the
            // one in the html folder: nothing is lost.
            if (!batch.staged(target) && fs.kind(target) != EntryKind::File)
                batch.write(target, bytes, seasonName(season, name));
            else if (readFile(fs, batch, target, seasonName(season, name)) != bytes)
                continue;
            moved.push_back({run.htmlFolder + "/" + name, "html\\" + name});
        }
        // The game's box score pages are still this season's: the period's
        // links are kept while they can be.
        if (season == run.season && p.hasScoreboard) {
            const std::set<std::string> present = copyLinkedFiles(fs, batch, run.htmlFolder, folder, season, files[board]);
            if (row.dayCount > 0 && fs.kind(folder + "/" + periodPageName(p.lastDay)) != EntryKind::File)
                writePeriodPage(batch, folder, season,
                                periodPageFor(tables, Period{p.lastDay, row.dayCount}, run.title, season, "", present));
        }
    }
    batch.complete();
    removeAll(fs, moved);
}

} // namespace vr
