#include "text/stats_in_parts.h"

#include <algorithm>

namespace vr {

void StatsInParts::listed(std::vector<FileSystem::NamedStat> entries, std::vector<std::string> files, bool taken) {
    const std::size_t parts = (entries.size() + kPart - 1) / kPart;
    auto done = std::make_unique<std::atomic<bool>[]>(parts);
    for (std::size_t p = 0; p < parts; ++p) done[p].store(taken, std::memory_order_relaxed);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        entries_ = std::move(entries);
        files_ = std::move(files);
        done_ = std::move(done);
        parts_ = parts;
        next_.store(taken ? entries_.size() : 0, std::memory_order_relaxed);
        state_ = State::Listed;
        listed_.store(true, std::memory_order_release);
    }
    changed_.notify_all();
}

bool StatsInParts::claim(std::size_t& from, std::size_t& to) {
    from = next_.fetch_add(kPart, std::memory_order_relaxed);
    if (from >= entries_.size()) return false;
    to = std::min(from + kPart, entries_.size());
    return true;
}

void StatsInParts::taken(std::size_t from) {
    done_[from / kPart].store(true, std::memory_order_release);
    // Through the lock: a reader that found the part undone is waiting by now.
    { std::lock_guard<std::mutex> lock(mutex_); }
    changed_.notify_all();
}

void StatsInParts::finish() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (state_ == State::Listing) state_ = State::Unlisted;
        for (std::size_t p = 0; p < parts_; ++p) {
            if (done_[p].load(std::memory_order_relaxed)) continue;
            const std::size_t end = std::min((p + 1) * kPart, entries_.size());
            for (std::size_t i = p * kPart; i < end; ++i) entries_[i].stat = FileStat{};
            done_[p].store(true, std::memory_order_release);
        }
    }
    changed_.notify_all();
}

bool StatsInParts::wasListed() {
    if (listed_.load(std::memory_order_acquire)) return true;
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return state_ != State::Listing; });
    return state_ == State::Listed;
}

std::vector<std::string> StatsInParts::takeFiles() {
    if (!wasListed()) return {};
    std::lock_guard<std::mutex> lock(mutex_);
    return std::move(files_);
}

void StatsInParts::waitFor(std::size_t part) {
    if (done_[part].load(std::memory_order_acquire)) return;
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return done_[part].load(std::memory_order_acquire); });
}

const FileStat* StatsInParts::find(std::string_view name) {
    if (!wasListed()) return nullptr;
    // The names stay as listed while the stats beside them are written.
    auto it = std::lower_bound(entries_.begin(), entries_.end(), name,
                               [](const FileSystem::NamedStat& e, std::string_view n) { return e.name < n; });
    if (it == entries_.end() || it->name != name) return nullptr;
    const std::size_t at = static_cast<std::size_t>(it - entries_.begin());
    waitFor(at / kPart);
    return it->stat.known ? &it->stat : nullptr;
}

const std::vector<FileSystem::NamedStat>& StatsInParts::all() {
    if (wasListed())
        for (std::size_t p = 0; p < parts_; ++p) waitFor(p);
    return entries_;
}

// Here rather than beside the class it belongs to, which cannot see this one.
bool FileSystem::listStatsInParts(const std::string& folder, StatsInParts& parts) {
    std::vector<NamedStat> entries;
    if (!listStats(folder, entries)) return false;
    sortByName(entries);
    std::vector<std::string> files = listFiles(folder);
    std::sort(files.begin(), files.end());
    parts.listed(std::move(entries), std::move(files), true);
    return true;
}

} // namespace vr
