#include "league/league_folder.h"

#include "league/put_in_place.h"
#include "text/errors.h"
#include "text/file_handle.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <system_error>
#include <utility>


namespace vr {
namespace {

// The folders from the drive down to the folder of the game's leagues.
const char* const kLeagueFolders[] = {
    "Users", "Public", "Documents", "GDS", "Fast Break College Basketball 2010", "leaguedata",
};

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// "html\boxes\box245-3.htm" -> folder "html\boxes", name "box245-3.htm".
std::pair<std::string_view, std::string_view> splitView(std::string_view file) {
    auto slash = file.rfind('\\');
    if (slash == std::string_view::npos) return {std::string_view(), file};
    return {file.substr(0, slash), file.substr(slash + 1)};
}

std::pair<std::string, std::string> split(std::string_view file) {
    auto [folder, name] = splitView(file);
    return {std::string(folder), std::string(name)};
}

// The folders below the Public Documents folder.
constexpr std::size_t kBelowDocuments = 3;

void trimSlashes(std::string& path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
}

} // namespace

LeagueFolder::LeagueFolder(FileSystem& fs, LeaguePlace place)
    : fs_(fs), drive_(std::move(place.drive)), documents_(std::move(place.documents)),
      league_(std::move(place.league)), leagueChosen_(!league_.empty()), remembered_(std::move(place.remembered)) {
    if (!leagueChosen_) league_ = kDefaultLeague;
    trimSlashes(drive_);
    trimSlashes(documents_);
}

std::string LeagueFolder::leaguesFolderPath() const {
    auto [path, first] = leagueRoot();
    for (std::size_t i = first; i < std::size(kLeagueFolders); ++i) path += std::string("/") + kLeagueFolders[i];
    return path;
}

std::vector<std::string> LeagueFolder::leaguesFound() {
    std::vector<std::string> leagues;
    std::optional<std::string> folder = resolveLeagues();
    if (!folder) return leagues;
    for (const std::string& entry : fs_.list(*folder))
        if (fs_.kind(*folder + "/" + entry) == EntryKind::Directory) leagues.push_back(entry);
    std::sort(leagues.begin(), leagues.end());
    return leagues;
}

std::optional<std::string> LeagueFolder::resolveLeagues() {
    auto [root, first] = leagueRoot();
    if (fs_.kind(root) != EntryKind::Directory) return std::nullopt;
    std::optional<std::string> host = root;
    for (std::size_t i = first; host && i < std::size(kLeagueFolders); ++i) host = resolveChild(*host, kLeagueFolders[i]);
    return host;
}

std::pair<std::string, std::size_t> LeagueFolder::leagueRoot() const {
    if (documents_.empty()) return {drive_, 0};
    return {documents_, kBelowDocuments};
}

std::optional<std::string> LeagueFolder::resolveChild(const std::string& parent,
                                                       const std::string& name) {
    std::string exact = parent + "/" + name;
    if (fs_.kind(exact) == EntryKind::Directory) return exact;
    // As on Windows and in Wine prefixes: a folder matches whatever its case;
    // the first such entry in byte order wins.
    for (const std::string& entry : fs_.list(parent)) {
        if (sameIgnoringCase(entry, name)) {
            std::string candidate = parent + "/" + entry;
            if (fs_.kind(candidate) == EntryKind::Directory) return candidate;
        }
    }
    return std::nullopt;
}

const std::optional<std::string>& LeagueFolder::resolveFolder(const std::string& folder) {
    auto known = folders_.find(folder);
    if (known != folders_.end()) return known->second;

    std::optional<std::string> host;
    if (folder.empty()) {
        // Most disks spell it exactly: one stat settles that.
        const bool remembered = !leagueChosen_ && !remembered_.empty();
        std::string exact = leaguesFolderPath() + "/" + (remembered ? remembered_ : league_);
        if (fs_.kind(exact) == EntryKind::Directory) {
            host = exact;
            if (remembered) league_ = remembered_;
        } else if (std::optional<std::string> leagues = resolveLeagues()) {
            // No league named: the window's last one while it is there,
            // else the default, else the one league the game keeps.
            if (remembered && (host = resolveChild(*leagues, remembered_)))
                league_ = remembered_;
            if (!host) host = resolveChild(*leagues, league_);
            std::vector<std::string> found;
            if (!host && !leagueChosen_ && (found = leaguesFound()).size() == 1) {
                league_ = found.front();
                host = *leagues + "/" + league_;
            }
        }
    } else {
        auto [parent, name] = split(folder);
        host = resolveFolder(parent);
        if (host) host = resolveChild(*host, name);
    }
    return folders_[folder] = std::move(host);
}

std::string LeagueFolder::hostPath(std::string_view file) {
    auto [folder, name] = split(file);
    const std::optional<std::string>& host = resolveFolder(folder);
    if (!host) throw Stop(StopKind::PathNotFound, std::string(file));
    return *host + "/" + name;
}

std::optional<std::string> LeagueFolder::firstMissingFolder(std::string_view file) {
    std::string_view folder = splitView(file).first;
    // From the league folder down: the shallowest missing one is the cause.
    if (!resolveFolder("")) return std::string();
    for (std::size_t end = 0; end < folder.size(); ++end) {
        end = std::min(folder.find('\\', end), folder.size());
        std::string prefix(folder.substr(0, end));
        if (!resolveFolder(prefix)) return prefix;
    }
    return std::nullopt;
}

std::string LeagueFolder::expectedHostFolder(std::string_view folder) {
    if (folder.empty()) {
        const std::optional<std::string>& host = resolveFolder("");
        if (host) return *host;
        return leaguesFolderPath() + "/" + league_;
    }
    auto [parent, name] = split(folder);
    const std::optional<std::string>& host = resolveFolder(std::string(folder));
    if (host) return *host;
    return expectedHostFolder(parent) + "/" + name;
}

const std::optional<std::string>& LeagueFolder::resolveRecent(std::string_view folder) {
    if (recent_.host && recent_.folder == folder) return *recent_.host;
    const std::optional<std::string>& host = resolveFolder(std::string(folder));
    recent_ = Recent{std::string(folder), &host, nullptr, nullptr};
    return host;
}

void LeagueFolder::takeListing(Listing& listing, const std::string& host) {
    listing.files = fs_.listFiles(host);
    std::sort(listing.files.begin(), listing.files.end());
    listing.taken = true;
}

bool LeagueFolder::exists(std::string_view file) {
    auto [folder, name] = splitView(file);
    const std::optional<std::string>& host = resolveRecent(folder);
    if (!host) return false;
    // A name the listing cannot hold (a path of its own) takes a stat.
    bool plainName = !name.empty() && name != "." && name != ".." &&
                     name.find('/') == std::string_view::npos;
    if (plainName) {
        if (!recent_.listing) recent_.listing = &listings_[*host];
        Listing& listing = *recent_.listing;
        if (!listing.taken && !takePrefetchedFiles(listing, *host) && ++listing.tests > kStatsBeforeListing)
            takeListing(listing, *host);
        if (listing.taken) return std::binary_search(listing.files.begin(), listing.files.end(), name);
    }
    return fs_.kind(*host + "/" + std::string(name)) == EntryKind::File;
}

void LeagueFolder::visitFilesIn(std::string_view folder, const std::function<void(std::string_view)>& visit) {
    const std::optional<std::string>& host = resolveRecent(folder);
    if (!host) return;
    if (!recent_.listing) recent_.listing = &listings_[*host];
    Listing& listing = *recent_.listing;
    if (listing.statsTaken) {
        for (const FileSystem::NamedStat& e : listing.stats)
            if (e.stat.kind == EntryKind::File) visit(e.name);
        return;
    }
    if (!listing.taken) takeListing(listing, *host);
    for (const std::string& name : listing.files) visit(name);
}

namespace {

// A folder's entries with their stats, sorted by name; none where the host
// has no such listing.
std::optional<std::vector<FileSystem::NamedStat>> sortedStats(FileSystem& fs, const std::string& host) {
    std::vector<FileSystem::NamedStat> entries;
    if (!fs.listStats(host, entries)) return std::nullopt;
    FileSystem::sortByName(entries);
    return entries;
}

} // namespace

void LeagueFolder::takeStats(Listing& listing, const std::string& host) {
    listing.statsAsked = true;
    std::optional<std::vector<FileSystem::NamedStat>> stats;
    if (prefetch_ && prefetch_->host == host && !prefetch_->statsTaken) {
        // Its names too are this handler's or none's.
        prefetch_->statsTaken = prefetch_->filesTaken = true;
        try {
            stats = prefetch_->stats.get();
        } catch (const std::exception&) {
            // Out of memory there: the host is asked file by file.
        }
    } else {
        stats = sortedStats(fs_, host);
    }
    if (stats) {
        listing.stats = std::move(*stats);
        listing.statsTaken = true;
    }
}

void LeagueFolder::prefetchStats(std::string_view folder) {
    if (!fs_.listsStatsAside()) return;
    const std::optional<std::string>& host = resolveRecent(folder);
    if (!host) return;
    prefetch_.reset();
    try {
        Prefetch p{*host, {}, {}};
        // The names come first, a few milliseconds in, and the stats of
        // thousands of files after them.
        std::promise<std::vector<std::string>> files;
        p.files = files.get_future();
        p.stats = std::async(std::launch::async, [&fs = fs_, host = *host, files = std::move(files)]() mutable {
            try {
                std::vector<std::string> names = fs.listFiles(host);
                std::sort(names.begin(), names.end());
                files.set_value(std::move(names));
            } catch (const std::exception&) {
                files.set_exception(std::current_exception());
            }
            return sortedStats(fs, host);
        });
        prefetch_ = std::move(p);
    } catch (const std::exception&) {
        prefetch_.reset(); // no thread to be had: the stats are taken when asked for
    }
}

bool LeagueFolder::takePrefetchedFiles(Listing& listing, const std::string& host) {
    if (!prefetch_ || prefetch_->filesTaken || prefetch_->host != host) return false;
    // Not in yet: the tests go on as ever, never waiting for the names.
    if (prefetch_->files.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return false;
    prefetch_->filesTaken = true;
    try {
        listing.files = prefetch_->files.get();
    } catch (const std::exception&) {
        return false;
    }
    // An empty or unreadable folder is listed again here, as ever.
    if (listing.files.empty()) return false;
    listing.taken = true;
    return true;
}

FileStat LeagueFolder::stat(std::string_view file) {
    auto [folder, name] = splitView(file);
    const std::optional<std::string>& host = resolveRecent(folder);
    if (!host) return FileStat{};
    if (!recent_.listing) recent_.listing = &listings_[*host];
    Listing& listing = *recent_.listing;
    if (!listing.statsAsked) takeStats(listing, *host);
    if (listing.statsTaken) {
        auto it = std::lower_bound(listing.stats.begin(), listing.stats.end(), name,
                                   [](const FileSystem::NamedStat& e, std::string_view n) { return e.name < n; });
        if (it != listing.stats.end() && it->name == name) return it->stat;
    }
    // Not listed (or spelt otherwise than on the disk): the host decides.
    statPath_.assign(*host).append("/").append(name);
    return fs_.stat(statPath_);
}

FileSystem::Handle LeagueFolder::openHandle(std::string_view file, OpenMode mode) {
    // Named apart, not as a structured binding: the lambda below takes the
    // name, which clang 14 cannot capture from a binding.
    const auto parts = splitView(file);
    const std::string_view name = parts.second;
    const std::optional<std::string>& host = resolveRecent(parts.first);
    if (!host) throw Stop(StopKind::PathNotFound, std::string(file));
    if (mode != OpenMode::Input) {
        // Writing may make a file the folder's listing lacks.
        listings_.erase(*host);
        recent_.listing = nullptr;
    }
    if (!recent_.held) {
        auto held = held_.find(*host);
        if (held == held_.end()) held = held_.emplace(*host, fs_.openFolder(*host)).first;
        recent_.held = &held->second;
    }
    FileSystem::Folder folder = *recent_.held;
    return at(file, 0, [&] { return fs_.openIn(folder, *host, name, mode); });
}

void LeagueFolder::forgetFolders() {
    recent_ = Recent{};
    folders_.clear();
    listings_.clear();
    for (auto& [path, folder] : held_) fs_.closeFolder(folder);
    held_.clear();
}

LeagueFolder::~LeagueFolder() {
    abandonPublishing();
    release();
    for (auto& [path, folder] : held_) fs_.closeFolder(folder);
}

// The first block is read at once, so that a failure to read it (a folder
// in the file's place among them, which some hosts open) stops where the
// file is opened.
std::unique_ptr<LineReader> LeagueFolder::openInput(std::string_view file) {
    auto reader = std::make_unique<LineReader>(fs_, openHandle(file, OpenMode::Input), std::string(file));
    reader->atEnd();
    return reader;
}

std::unique_ptr<LineReader> LeagueFolder::openInputIfExists(std::string_view file) {
    std::unique_ptr<LineReader> reader;
    try {
        reader = std::make_unique<LineReader>(fs_, openHandle(file, OpenMode::Input), std::string(file));
        reader->atEnd();
    } catch (const Stop& stop) {
        // The file or its folder missing, or a folder or special file in its
        // place: no such file. Any other failure, of a file that is there or not, stops.
        if (stop.kind() == StopKind::FileNotFound || stop.kind() == StopKind::PathNotFound) return nullptr;
        auto [folder, name] = split(file);
        const std::optional<std::string>& host = resolveFolder(folder);
        if (host) {
            EntryKind kind = fs_.kind(*host + "/" + name);
            if (kind == EntryKind::Directory || kind == EntryKind::Special) return nullptr;
        }
        throw;
    }
    return reader;
}

std::unique_ptr<LineWriter> LeagueFolder::openOutput(std::string_view file) {
    if (publishing_) return openStaged(file, OpenMode::Output);
    return std::make_unique<LineWriter>(fs_, openHandle(file, OpenMode::Output), std::string(file));
}

std::unique_ptr<LineWriter> LeagueFolder::openAppend(std::string_view file) {
    if (publishing_) return openStaged(file, OpenMode::Append);
    return std::make_unique<LineWriter>(fs_, openHandle(file, OpenMode::Append), std::string(file));
}

std::unique_ptr<LineWriter> LeagueFolder::openStaged(std::string_view file, OpenMode mode) {
    auto known = std::find_if(staged_.begin(), staged_.end(), [&](const StagedFile& s) { return s.file == file; });
    const bool fresh = known == staged_.end();
    std::string twin = std::string(file) + std::string(kTemporarySuffix);
    FileSystem::Handle handle;
    try {
        if (fresh) {
            // As the open of the file itself would: a folder in its place or
            // a file kept from change stops here, not at the end.
            std::string target = hostPath(file);
            fs_.checkReplaceable(target);
            staged_.push_back(StagedFile{std::string(file), target, hostPath(twin)});
        }
        // Appending to a file not written in this handler starts from what
        // it holds.
        FileHandle twinHandle(fs_, openHandle(twin, fresh || mode == OpenMode::Output ? OpenMode::Output
                                                                                        : OpenMode::Append));
        if (fresh && mode == OpenMode::Append && fs_.kind(staged_.back().target) == EntryKind::File)
            copyInto(twinHandle.get(), file);
        handle = twinHandle.release();
    } catch (const Stop& s) {
        // The user knows the file, not its twin.
        Stop named(s.kind(), std::string(file));
        throw named.withNote(s.note());
    }
    return std::make_unique<LineWriter>(fs_, handle, std::string(file));
}

void LeagueFolder::copyInto(FileSystem::Handle to, std::string_view file) {
    std::vector<char> block(LineReader::kBlock);
    FileHandle from(fs_, openHandle(file, OpenMode::Input));
    while (std::size_t n = fs_.read(from.get(), block.data(), block.size())) fs_.write(to, block.data(), n);
    from.close();
}

void LeagueFolder::hold() {
    if (holding_) return;
    const std::optional<std::string>& host = resolveFolder("");
    if (!host) return;
    // A first look that does not wait: a wait is said before it starts.
    const bool waited = holdNotice_ && !fs_.lockFolder(*host, 0, lock_);
    if (waited) holdNotice_(kHoldWaiting);
    if ((waited || !holdNotice_) && !fs_.lockFolder(*host, holdWaitMs_, lock_))
        throw Stop(StopKind::PermissionDenied,
                   *host + " (another run of the program holds the league folder and has not finished)");
    if (waited) holdNotice_(kHoldGoingOn);
    holding_ = true;
}

void LeagueFolder::release() {
    if (!holding_) return;
    holding_ = false;
    fs_.unlockFolder(std::exchange(lock_, FileSystem::kNoLock));
}

void LeagueFolder::beginPublishing() {
    abandonPublishing();
    publishing_ = true;
}

void LeagueFolder::abandonPublishing() {
    publishing_ = false;
    for (const StagedFile& s : staged_) fs_.remove(s.temporary);
    staged_.clear();
}

void LeagueFolder::publish() {
    publishing_ = false;
    std::vector<StagedFile> staged = std::move(staged_);
    staged_.clear();
    // The listings taken no longer hold, whatever happens.
    listings_.clear();
    recent_.listing = nullptr;
    putInPlace(fs_, staged);
}

} // namespace vr
