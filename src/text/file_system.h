// The file-system seam: every file access of the core goes through this
// interface, implemented over the operating system and in memory for tests.
// Paths are host paths. Failures throw a Stop carrying only its kind; the
// caller adds the file's name in the league's own spelling.
#pragma once

#include "text/errors.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vr {

enum class OpenMode { Input, Output, Append };
// Special: a FIFO, socket or device, which is never opened to be waited on
// and counts as no file, as a folder in a file's place does.
enum class EntryKind { Missing, File, Directory, Special };

// What one stat tells of an entry. `known` is false where the host gives
// only the kind: such an entry can never be taken as unchanged.
struct FileStat {
    EntryKind kind = EntryKind::Missing;
    bool known = false;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0; // since 1970, to the host's resolution
    // When the entry itself last changed (contents or times), which no tool
    // can set: a time put back by hand still shows here.
    std::int64_t changedNs = 0;
    std::uint64_t volume = 0;    // device, or volume serial number
    std::uint64_t identity = 0;  // inode, or file ID

    bool operator==(const FileStat&) const = default;
};

// The same file, unchanged, as far as both stats can tell.
inline bool sameFile(const FileStat& a, const FileStat& b) { return a.known && b.known && a == b; }

class FileSystem {
public:
    using Handle = int;

    virtual ~FileSystem() = default;

    // Input: the file must exist ("File not found", or "Path not found" when
    // its folder is missing); a folder in its place may open, and reading it
    // is then "Permission denied"; a special file is "Permission denied" at
    // once, never waited on. Output: made afresh, whatever was there (a
    // file, or a link, which is not followed) removed first; a folder or a
    // special file there is "Permission denied". Append: created if
    // missing, written at its end; a special file is refused as for Output.
    virtual Handle open(const std::string& path, OpenMode mode) = 0;
    // Up to n bytes; 0 only at the end of the file.
    virtual std::size_t read(Handle h, char* buffer, std::size_t n) = 0;
    // All n bytes or a stop; nothing of a failed write counts as written.
    virtual void write(Handle h, const char* data, std::size_t n) = 0;
    // The file's bytes on the disk itself, not only with the system: a file
    // about to be renamed over another must not come back empty after a
    // power cut.
    virtual void flush(Handle h) = 0;
    virtual void close(Handle h) = 0;

    // One stat-like call, symlinks followed.
    virtual EntryKind kind(const std::string& path) = 0;
    // As kind(), with size, time and identity where the host has them.
    virtual FileStat stat(const std::string& path) {
        FileStat st;
        st.kind = kind(path);
        return st;
    }
    // Every entry of a folder with its stat, symlinks followed: one call in
    // place of a stat per file by its whole path (Windows' listing gives the
    // stats; elsewhere a stat each by name in the open folder). False where
    // the host has no such listing.
    struct NamedStat {
        std::string name;
        FileStat stat;
    };
    virtual bool listStats(const std::string& folder, std::vector<NamedStat>& entries) {
        (void)folder;
        (void)entries;
        return false;
    }
    // Entries by name, in byte order, as listings hand them on.
    static void sortByName(std::vector<NamedStat>& entries) {
        auto byName = [](const NamedStat& a, const NamedStat& b) { return a.name < b.name; };
        if (!std::is_sorted(entries.begin(), entries.end(), byName)) std::sort(entries.begin(), entries.end(), byName);
    }
    // True where listStats() and listFiles() may run on another thread while
    // this one goes on using the file system: the hosts' own layers, which
    // keep no state.
    virtual bool listsStatsAside() const { return false; }
    // Makes the folder and those on the way; false when it cannot.
    virtual bool makeFolders(const std::string& path) { return kind(path) == EntryKind::Directory; }
    // Names in a folder (not "." or ".."), in byte order; empty when the
    // folder cannot be listed.
    virtual std::vector<std::string> list(const std::string& folder) = 0;
    // The names of list() that kind() takes for files, in no set order: one
    // listing answers many existence tests. Hosts override it to learn the
    // kinds from the listing itself.
    virtual std::vector<std::string> listFiles(const std::string& folder) {
        std::vector<std::string> files;
        for (std::string& name : list(folder))
            if (kind(folder + "/" + name) == EntryKind::File) files.push_back(std::move(name));
        return files;
    }
    // A folder held open, so that the files in it are opened by their names
    // alone and the system does not walk the whole path again for each.
    // kNoFolder where the host holds none; openIn then opens by path.
    using Folder = int;
    static constexpr Folder kNoFolder = -1;
    virtual Folder openFolder(const std::string& path) {
        (void)path;
        return kNoFolder;
    }
    virtual void closeFolder(Folder folder) { (void)folder; }
    // As open(folderPath + "/" + name, mode), through `folder` when held.
    virtual Handle openIn(Folder folder, const std::string& folderPath, std::string_view name,
                          OpenMode mode) {
        (void)folder;
        return open(folderPath + "/" + std::string(name), mode);
    }

    // Replaces `to` by `from` in one step (both in the same folder).
    virtual void rename(const std::string& from, const std::string& to) = 0;
    // The renames made in the folder on the disk, so that after a power cut
    // it names the new files, not the old ones or none. Nothing where the
    // host's moves are written through already.
    virtual void flushFolder(const std::string& path) { (void)path; }
    // Holds the folder for this process alone until unlockFolder(), waiting
    // up to waitMs while another run holds it: false when the wait ran out.
    // Hosts without such locks hold nothing and return true.
    using Lock = long;
    static constexpr Lock kNoLock = -1;
    virtual bool lockFolder(const std::string& path, long waitMs, Lock& lock) {
        (void)path;
        (void)waitMs;
        lock = kNoLock;
        return true;
    }
    virtual void unlockFolder(Lock lock) { (void)lock; }

    // Stops ("Permission denied") when a rename could not put a file in
    // `path`'s place: a folder there, or a file the host keeps from change.
    virtual void checkReplaceable(const std::string& path) {
        if (kind(path) == EntryKind::Directory) throw Stop(StopKind::PermissionDenied);
    }
    virtual void remove(const std::string& path) = 0;
};

// The host operating system's files.
FileSystem& hostFileSystem();

// Writes `bytes` to `path`, opened in `mode`, and closes it: a small file
// in one go. On a stop the file is closed and the stop goes on.
inline void writeWhole(FileSystem& fs, const std::string& path, OpenMode mode, std::string_view bytes) {
    FileSystem::Handle h = fs.open(path, mode);
    try {
        fs.write(h, bytes.data(), bytes.size());
    } catch (const Stop&) {
        fs.close(h);
        throw;
    }
    fs.close(h);
}

} // namespace vr
