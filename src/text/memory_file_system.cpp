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
    files_[path] = std::move(bytes);
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

void MemoryFileSystem::count(Op) {
    ++operations_;
    if (failAt_ > 0 && (operations_ == failAt_ || (failPersistent_ && operations_ > failAt_)))
        throw Stop(failKind_);
}

FileSystem::Handle MemoryFileSystem::open(const std::string& path, OpenMode mode) {
    count(Op::Open);
    if (!folders_.count(parentOf(path))) throw Stop(StopKind::PathNotFound);
    if (folders_.count(path)) throw Stop(StopKind::PermissionDenied);
    if (mode == OpenMode::Input) {
        if (!files_.count(path)) throw Stop(StopKind::FileNotFound);
        ++opensForInput_;
    } else {
        if (protected_.count(path)) throw Stop(StopKind::PermissionDenied);
        if (mode == OpenMode::Output || !files_.count(path)) files_[path].clear();
    }
    Handle h = next_++;
    open_[h] = OpenFile{path, mode, 0};
    return h;
}

std::size_t MemoryFileSystem::read(Handle h, char* buffer, std::size_t n) {
    count(Op::Read);
    OpenFile& f = open_.at(h);
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
    count(Op::Write);
    files_[open_.at(h).path].append(data, n);
}

void MemoryFileSystem::flush(Handle h) {
    count(Op::Flush);
    (void)open_.at(h);
}

void MemoryFileSystem::close(Handle h) {
    open_.erase(h); // released even when the close reports a failure
    count(Op::Close);
}

EntryKind MemoryFileSystem::kind(const std::string& path) {
    ++kindQueries_;
    if (folders_.count(path)) return EntryKind::Directory;
    return files_.count(path) ? EntryKind::File : EntryKind::Missing;
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

void MemoryFileSystem::rename(const std::string& from, const std::string& to) {
    auto it = files_.find(from);
    if (it == files_.end()) throw Stop(StopKind::FileNotFound);
    files_[to] = std::move(it->second);
    files_.erase(from);
}

} // namespace vr
