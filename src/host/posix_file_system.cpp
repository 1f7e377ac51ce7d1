// The operating system's files on POSIX hosts. This is the only place of the
// core that makes system calls; a Windows host gets its own file beside it.
#include "host/folder_lock.h"
#include "host/posix_release_aside.h"
#include "text/errors.h"
#include "text/file_system.h"
#include "text/stats_in_parts.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

namespace vr {
namespace {

std::string parentOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

EntryKind kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return EntryKind::Directory;
    return S_ISREG(mode) ? EntryKind::File : EntryKind::Special;
}

FileStat statOf(const struct stat& st) {
    FileStat out;
    out.kind = kindOf(st.st_mode);
    out.known = true;
    out.size = static_cast<std::uint64_t>(st.st_size);
    out.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    out.changedNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    out.volume = static_cast<std::uint64_t>(st.st_dev);
    out.identity = static_cast<std::uint64_t>(st.st_ino);
    return out;
}

// Room to make for the entries of the open folder `at`, which its size
// bounds: a list of thousands grown step by step touches twice its memory,
// and room never filled is never touched.
std::size_t entriesBound(int at) {
    struct stat self;
    if (::fstat(at, &self) != 0 || self.st_size <= 0) return 0;
    return std::min<std::size_t>(static_cast<std::size_t>(self.st_size) / 16, 1u << 20);
}

// A file as kind() takes it, from the listing where the entry tells.
bool isFile(int at, const dirent& entry) {
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return entry.d_type == DT_REG;
    struct stat st;
    return ::fstatat(at, entry.d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
}

// Below this many entries a folder's stats are taken on the calling thread.
constexpr std::size_t kStatsPerThread = 512;

// The stats of the listed entries, by name in the folder `at`, part by part.
// A large folder's (a season's play-by-play folder holds thousands of files)
// are shared among a few threads, each claiming the next part as it is
// free, so that none waits on another that was held up; where no thread can
// be started the calling one takes all.
void statEach(int at, StatsInParts& parts) {
    auto statRest = [&parts, at] {
        std::vector<FileSystem::NamedStat>& entries = parts.entries();
        std::size_t from, to;
        while (parts.claim(from, to)) {
            for (std::size_t i = from; i < to; ++i) {
                struct stat st;
                FileSystem::NamedStat& e = entries[i];
                e.stat = ::fstatat(at, e.name.c_str(), &st, 0) == 0 ? statOf(st) : FileStat{};
            }
            parts.taken(from);
        }
    };
    const std::size_t count = parts.entries().size();
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t threads = std::min({cores, std::size_t{4}, std::max<std::size_t>(1, count / kStatsPerThread)});
    std::vector<std::thread> helpers;
    helpers.reserve(threads); // before any starts: a thread is never dropped unjoined
    try {
        for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(statRest);
    } catch (const std::system_error&) {
        // Fewer threads: the others take more.
    }
    statRest();
    for (std::thread& t : helpers) t.join();
}

bool isDirectory(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

[[noreturn]] void failOpen(int err, const std::string& path, OpenMode mode) {
    switch (err) {
    case ENOENT:
        if (mode == OpenMode::Input && isDirectory(parentOf(path)))
            throw Stop(StopKind::FileNotFound);
        throw Stop(StopKind::PathNotFound);
    case ENOTDIR:
    case ENAMETOOLONG:
        throw Stop(StopKind::PathNotFound);
    case EEXIST: // something put in a fresh file's place meanwhile
    case ELOOP:  // a link there, not followed
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case ENXIO: // a FIFO without a reader, or a device that is not there
        throw Stop(StopKind::PermissionDenied);
    default:
        throw Stop(StopKind::DeviceIOError);
    }
}

// A full disk takes part of a write before refusing the rest: those bytes
// are cut off again, so that nothing of a failed write counts as written and
// the file ends where the last whole write did. Writes go to the file's end
// (it was emptied or opened for appending), so they are its last bytes.
void takeBack(int fd, std::size_t written) {
    struct stat st;
    if (written == 0 || ::fstat(fd, &st) != 0 || st.st_size < static_cast<off_t>(written)) return;
    const off_t end = st.st_size - static_cast<off_t>(written);
    if (::ftruncate(fd, end) == 0) ::lseek(fd, end, SEEK_SET);
}

class PosixFileSystem final : public FileSystem {
    // Opens `path`, relative to the folder `at` unless absolute; `fullPath`
    // gives the whole path where a failure needs it.
    // Makes room for a file written afresh: what a killed run or anyone
    // else left in its place goes, a link itself rather than what it points
    // to. A folder or a special file (a FIFO would hold the run for ever) is
    // refused, as is a file the system keeps from writing.
    template <class FullPath>
    static void clearFor(int at, const char* path, FullPath fullPath) {
        struct stat st;
        if (::fstatat(at, path, &st, AT_SYMLINK_NOFOLLOW) != 0) return;
        if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) throw Stop(StopKind::PermissionDenied);
        if (S_ISREG(st.st_mode) && ::faccessat(at, path, W_OK, 0) != 0 && (errno == EACCES || errno == EROFS))
            throw Stop(StopKind::PermissionDenied);
        if (::unlinkat(at, path, 0) != 0 && errno != ENOENT) failOpen(errno, fullPath(), OpenMode::Output);
    }

    // Opens `path`, relative to the folder `at` unless absolute; `fullPath`
    // gives the whole path where a failure needs it.
    template <class FullPath>
    static Handle openAt(int at, const char* path, OpenMode mode, FullPath fullPath) {
        // Never blocking: a FIFO in a file's place would wait for the other
        // end. Special files are then refused below.
        int flags = O_CLOEXEC | O_NONBLOCK;
        switch (mode) {
        case OpenMode::Input: flags |= O_RDONLY; break;
        // Created here and nowhere else: a link or a special file put in
        // the place between the removal and the open fails the open.
        case OpenMode::Output: flags |= O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW; break;
        case OpenMode::Append: flags |= O_WRONLY | O_CREAT | O_APPEND; break;
        }
        if (mode == OpenMode::Output) clearFor(at, path, fullPath);
        int fd;
        do {
            fd = ::openat(at, path, flags, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) failOpen(errno, fullPath(), mode);
        // A FIFO, socket or device is no file to read or write: refused at
        // once, as a folder is when read (a folder opens for reading on POSIX).
        struct stat st;
        if (::fstat(fd, &st) == 0 && !S_ISREG(st.st_mode) && !(mode == OpenMode::Input && S_ISDIR(st.st_mode))) {
            ::close(fd);
            throw Stop(StopKind::PermissionDenied);
        }
        // Writes block as usual once the file is known to be one.
        if (mode != OpenMode::Input) ::fcntl(fd, F_SETFL, flags & O_APPEND);
        return fd;
    }

public:
    Handle open(const std::string& path, OpenMode mode) override {
        return openAt(AT_FDCWD, path.c_str(), mode, [&] { return path; });
    }

    Folder openFolder(const std::string& path) override {
        int fd;
        do {
            fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        return fd < 0 ? kNoFolder : fd;
    }

    void closeFolder(Folder folder) override {
        if (folder != kNoFolder) ::close(folder);
    }

    Handle openIn(Folder folder, const std::string& folderPath, std::string_view name,
                  OpenMode mode) override {
        std::string relative(name);
        if (folder == kNoFolder) return open(folderPath + "/" + relative, mode);
        return openAt(folder, relative.c_str(), mode, [&] { return folderPath + "/" + relative; });
    }

    std::size_t read(Handle h, char* buffer, std::size_t n) override {
        for (;;) {
            ssize_t got = ::read(h, buffer, n);
            if (got >= 0) return static_cast<std::size_t>(got);
            if (errno == EISDIR) throw Stop(StopKind::PermissionDenied); // a folder, opened
            if (errno != EINTR) throw Stop(StopKind::DeviceIOError);
        }
    }

    void write(Handle h, const char* data, std::size_t n) override {
        std::size_t written = 0;
        while (written < n) {
            ssize_t put = ::write(h, data + written, n - written);
            if (put < 0) {
                if (errno == EINTR) continue;
                takeBack(h, written);
                throw Stop(StopKind::DeviceIOError);
            }
            written += static_cast<std::size_t>(put);
        }
    }

    void flush(Handle h) override {
        int synced;
        do {
            synced = ::fsync(h);
        } while (synced != 0 && errno == EINTR);
        // EINVAL: a file that cannot be synced, so nothing to wait for.
        if (synced != 0 && errno != EINVAL) throw Stop(StopKind::DeviceIOError);
    }

    void close(Handle h) override {
        if (::close(h) != 0 && errno != EINTR) throw Stop(StopKind::DeviceIOError);
    }

    EntryKind kind(const std::string& path) override {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0) return EntryKind::Missing;
        return kindOf(st.st_mode);
    }

    FileStat stat(const std::string& path) override {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0) return FileStat{};
        return statOf(st);
    }

    bool listsStatsAside() const override { return true; }

    // The listing gives no sizes or times here: a stat each, but by name in
    // the open folder, so that the system walks one name, not the whole path.
    bool listStats(const std::string& folder, std::vector<NamedStat>& entries) override {
        StatsInParts parts;
        if (!listStatsInParts(folder, parts)) return false;
        // Dangling links and entries gone since the listing: as missing.
        for (NamedStat& e : parts.entries())
            if (e.stat.known) entries.push_back(std::move(e));
        return true;
    }

    bool listStatsInParts(const std::string& folder, StatsInParts& parts) override {
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) return false;
        const int at = ::dirfd(dir);
        std::vector<NamedStat> entries;
        entries.reserve(entriesBound(at));
        while (dirent* entry = ::readdir(dir)) {
            std::string_view name = entry->d_name;
            if (name == "." || name == "..") continue;
            entries.push_back(NamedStat{std::string(name), FileStat{}});
            // Until its stat, the kind the listing tells.
            if (isFile(at, *entry)) entries.back().stat.kind = EntryKind::File;
        }
        // Sorted once, here: the names handed on and the stats in one order.
        sortByName(entries);
        std::vector<std::string> files;
        files.reserve(entries.size());
        for (const NamedStat& e : entries)
            if (e.stat.kind == EntryKind::File) files.push_back(e.name);
        parts.listed(std::move(entries), std::move(files), false);
        statEach(at, parts);
        ::closedir(dir);
        return true;
    }

    bool makeFolders(const std::string& path) override {
        if (path.empty() || kind(path) == EntryKind::Directory) return !path.empty();
        std::string parent = parentOf(path);
        if (parent != path && !makeFolders(parent)) return false;
        return ::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
    }

    std::vector<std::string> list(const std::string& folder) override {
        std::vector<std::string> names;
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) return names;
        while (dirent* entry = ::readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(std::move(name));
        }
        ::closedir(dir);
        std::sort(names.begin(), names.end());
        return names;
    }

    std::vector<std::string> listFiles(const std::string& folder) override {
        std::vector<std::string> names;
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) return names;
        const int at = ::dirfd(dir);
        names.reserve(entriesBound(at));
        while (dirent* entry = ::readdir(dir)) {
            std::string_view name = entry->d_name;
            if (name == "." || name == "..") continue;
            // As kind(): only regular files count. Links (followed) and
            // entries of no given kind take a stat each.
            if (isFile(at, *entry)) names.emplace_back(name);
        }
        ::closedir(dir);
        return names;
    }

    // The file replaced is held across the rename (by its place, opening
    // nothing of it), and let go of aside.
    void rename(const std::string& from, const std::string& to) override {
        const int replaced = ::open(to.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
        const int renamed = ::rename(from.c_str(), to.c_str());
        const int error = errno;
        if (replaced >= 0) release_.close(replaced);
        errno = error;
        if (renamed != 0) {
            // EBUSY: the target is a mount point; EISDIR: a folder.
            if (errno == EACCES || errno == EPERM || errno == EROFS || errno == EBUSY || errno == EISDIR ||
                errno == ENOTEMPTY || errno == EEXIST)
                throw Stop(StopKind::PermissionDenied);
            throw Stop(StopKind::DeviceIOError);
        }
    }

    void flushFolder(const std::string& path) override {
        int fd;
        do {
            fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) throw Stop(StopKind::DeviceIOError);
        int synced;
        do {
            synced = ::fsync(fd);
        } while (synced != 0 && errno == EINTR);
        const int error = errno;
        ::close(fd);
        if (synced != 0 && error != EINVAL) throw Stop(StopKind::DeviceIOError);
    }

    void checkReplaceable(const std::string& path) override {
        // A folder, or a file the system keeps from writing (a read-only
        // file or mount): refused, as an open of the file for writing is.
        struct stat st;
        if (::stat(path.c_str(), &st) != 0) return;
        // A special file: renaming over it is no publication, and an earlier
        // run's open of it would have hung.
        if (!S_ISREG(st.st_mode)) throw Stop(StopKind::PermissionDenied);
        if (::access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS))
            throw Stop(StopKind::PermissionDenied);
    }

    void remove(const std::string& path) override { ::unlink(path.c_str()); }

    bool lockFolder(const std::string& path, long waitMs, Lock& lock) override {
        return lockAsFileSystem(path, waitMs, lock);
    }

    void unlockFolder(Lock lock) override { unlockHostFolder(lock); }

private:
    ReleaseAside release_;
};

} // namespace

FileSystem& hostFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

} // namespace vr
