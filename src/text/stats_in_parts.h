// A folder's entries and their stats, handed on in parts while a host takes
// them on threads of its own: the names first, sorted, then each part as its
// stats come in. A season's thousands of play-by-play stats take longer than
// everything read beside them, and the season's first games wait only for
// the first parts.
#pragma once

#include "text/file_system.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace vr {

class StatsInParts {
public:
    static constexpr std::size_t kPart = 64;

    // The host's side. The entries listed, sorted by name, their stats still
    // to take (or all in, where `taken`), and the names listFiles() gives,
    // sorted. Once listed, the entries keep their places: the host writes
    // each stat into entries() and only into a part it claimed.
    void listed(std::vector<FileSystem::NamedStat> entries, std::vector<std::string> files, bool taken);
    std::vector<FileSystem::NamedStat>& entries() { return entries_; }
    // The next part no one takes yet, entries [from, to); false when none is left.
    bool claim(std::size_t& from, std::size_t& to);
    // The stats of the part starting at `from` are in.
    void taken(std::size_t from);
    // The host is done, however it ended: parts never taken answer nothing,
    // and a folder never listed has no entries.
    void finish();

    // The reader's side; each waits as long as it must.
    // False where the folder was not listed.
    bool wasListed();
    // The names listed, once; after that, none.
    std::vector<std::string> takeFiles();
    // The stat of the entry of that name, or none: not listed, or its stat
    // not taken (an entry gone since the listing, a dangling link).
    const FileStat* find(std::string_view name);
    // Every entry, once all the stats are in; an entry without its stat is
    // Missing.
    const std::vector<FileSystem::NamedStat>& all();

private:
    enum class State { Listing, Listed, Unlisted };
    void waitFor(std::size_t part);

    std::mutex mutex_;
    std::condition_variable changed_;
    State state_ = State::Listing;
    std::atomic<bool> listed_{false};
    std::vector<FileSystem::NamedStat> entries_;
    std::vector<std::string> files_;
    std::unique_ptr<std::atomic<bool>[]> done_; // by part
    std::size_t parts_ = 0;
    std::atomic<std::size_t> next_{0};
};

} // namespace vr
