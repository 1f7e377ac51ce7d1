#include "text/memory_file_system.h"

#include <algorithm>
#include <cstring>

namespace vr {

void MemoryFileSystem::addFolder(const std::string& path) {
    // Every folder on the way exists too.
    std::string p = path;
    while (!p.empty() && p != "/") {
        folders_.insert(p);
        p = parentOf(p);
    }
}

void MemoryFileSystem::setFile(const std::string& path, std::string bytes) {
    addFolder(parentOf(path));
    std::string& file = files_[path];
    stored_ = stored_ - file.size() + bytes.size();
    file = std::move(bytes);
    touch(path);
}

void MemoryFileSystem::touch(const std::string& path) {
    Meta& meta = meta_[path];
    if (!meta.identity) meta.identity = nextIdentity_++;
    meta.modifiedNs = clock_;
    meta.changedNs = clock_;
}

bool MemoryFileSystem::hasFile(const std::string& path) const {
    return files_.count(path) != 0;
}

const std::string& MemoryFileSystem::file(const std::string& path) const {
    static const std::string none;
    auto it = files_.find(path);
    return it == files_.end() ? none : it->second;
}

void MemoryFileSystem::failAt(long n, StopKind kind, bool persistent) {
    failAt_ = n;
    failKind_ = kind;
    failPersistent_ = persistent;
}

std::string MemoryFileSystem::parentOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos || slash == 0) return "/";
    return path.substr(0, slash);
}

void MemoryFileSystem::count(Op op, const std::string& path) {
    ++operations_;
    if (keepLog_) log_.push_back(Operation{op, path});
    if (failAt_ > 0 && (operations_ == failAt_ || (failPersistent_ && operations_ > failAt_))) {
        failed();
        throw Stop(failKind_);
    }
}

void MemoryFileSystem::failed() {
    if (firstFailure_ == 0) firstFailure_ = operations_;
}

bool MemoryFileSystem::inProtectedFolder(const std::string& path) const {
    for (std::string folder = parentOf(path);; folder = parentOf(folder)) {
        if (protectedFolders_.count(folder)) return true;
        if (folder == "/") return false;
    }
}

FileSystem::Handle MemoryFileSystem::open(const std::string& path, OpenMode mode) {
    count(Op::Open, path);
    if (!folders_.count(parentOf(path))) throw Stop(StopKind::PathNotFound);
    if (folders_.count(path)) throw Stop(StopKind::PermissionDenied);
    if (mode == OpenMode::Input) {
        if (!files_.count(path)) throw Stop(StopKind::FileNotFound);
        ++opensForInput_;
    } else {
        if (protected_.count(path) || inProtectedFolder(path)) throw Stop(StopKind::PermissionDenied);
        if (mode == OpenMode::Output || !files_.count(path)) {
            std::string& file = files_[path];
            stored_ -= file.size();
            file.clear();
            touch(path);
        }
    }
    Handle h = next_++;
    open_[h] = OpenFile{path, mode, 0};
    return h;
}

std::size_t MemoryFileSystem::read(Handle h, char* buffer, std::size_t n) {
    OpenFile& f = open_.at(h);
    count(Op::Read, f.path);
    const std::string& bytes = files_[f.path];
    std::size_t got = std::min(n, bytes.size() - std::min(bytes.size(), f.position));
    std::memcpy(buffer, bytes.data() + f.position, got);
    f.position += got;
    bytesRead_ += static_cast<long>(got);
    largestRead_ = std::max(largestRead_, n);
    ++readCalls_;
    return got;
}

void MemoryFileSystem::write(Handle h, const char* data, std::size_t n) {
    const std::string& path = open_.at(h).path;
    count(Op::Write, path);
    if (n > capacity_ - std::min(capacity_, stored_)) {
        failed();
        throw Stop(StopKind::DeviceIOError);
    }
    files_[path].append(data, n);
    stored_ += n;
    touch(path);
}

void MemoryFileSystem::flush(Handle h) {
    count(Op::Flush, open_.at(h).path);
}

void MemoryFileSystem::close(Handle h) {
    auto it = open_.find(h);
    std::string path = it == open_.end() ? std::string() : std::move(it->second.path);
    open_.erase(h); // released even when the close reports a failure
    count(Op::Close, path);
}

EntryKind MemoryFileSystem::kind(const std::string& path) {
    ++kindQueries_;
    if (folders_.count(path)) return EntryKind::Directory;
    return files_.count(path) ? EntryKind::File : EntryKind::Missing;
}

FileStat MemoryFileSystem::stat(const std::string& path) {
    ++stats_;
    FileStat st;
    st.kind = kind(path);
    --kindQueries_;
    if (st.kind != EntryKind::File) return st;
    const Meta& meta = meta_[path];
    st.known = true;
    st.size = files_[path].size();
    st.modifiedNs = meta.modifiedNs;
    st.changedNs = meta.changedNs;
    st.identity = meta.identity;
    return st;
}

bool MemoryFileSystem::makeFolders(const std::string& path) {
    if (files_.count(path)) return false;
    addFolder(path);
    return true;
}

std::vector<std::string> MemoryFileSystem::list(const std::string& folder) {
    ++listings_;
    std::set<std::string> names;
    std::string prefix = folder == "/" ? "/" : folder + "/";
    auto take = [&](const std::string& p) {
        if (p.size() > prefix.size() && p.compare(0, prefix.size(), prefix) == 0 &&
            p.find('/', prefix.size()) == std::string::npos)
            names.insert(p.substr(prefix.size()));
    };
    for (const auto& f : files_) take(f.first);
    for (const auto& d : folders_) take(d);
    return {names.begin(), names.end()};
}

bool MemoryFileSystem::listStats(const std::string& folder, std::vector<NamedStat>& entries) {
    if (!statListings_ || kind(folder) != EntryKind::Directory) return false;
    for (std::string& name : list(folder)) {
        FileStat st = stat(folder + "/" + name);
        --stats_; // one listing, not a stat per entry
        entries.push_back(NamedStat{std::move(name), st});
    }
    return true;
}

void MemoryFileSystem::rename(const std::string& from, const std::string& to) {
    count(Op::Rename, from);
    // As on a disk: a read-only file may be replaced, a read-only folder
    // takes no change.
    if (inProtectedFolder(from) || inProtectedFolder(to) || folders_.count(to))
        throw Stop(StopKind::PermissionDenied);
    auto it = files_.find(from);
    if (it == files_.end()) throw Stop(StopKind::FileNotFound);
    std::string bytes = std::move(it->second);
    files_.erase(it);
    auto old = files_.find(to);
    if (old != files_.end()) stored_ -= old->second.size();
    files_[to] = std::move(bytes);
    Meta meta = meta_[from];
    meta_.erase(from);
    meta_[to] = meta;
}

void MemoryFileSystem::checkReplaceable(const std::string& path) {
    // A file made read-only is kept, as an open for writing would keep it.
    if (folders_.count(path) || protected_.count(path) || inProtectedFolder(path))
        throw Stop(StopKind::PermissionDenied);
}

void MemoryFileSystem::remove(const std::string& path) {
    auto it = files_.find(path);
    if (it == files_.end()) return;
    stored_ -= it->second.size();
    files_.erase(it);
    meta_.erase(path);
}

} // namespace vr
