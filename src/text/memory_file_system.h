// Files held in memory, for tests: counts what was read and can make the Nth
// operation fail, once or from then on, or a write fail as on a full disk.
#pragma once

#include "text/errors.h"
#include "text/file_system.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vr {

class MemoryFileSystem final : public FileSystem {
public:
    enum class Op { Open, Read, Write, Flush, Close, Rename };
    // One counted operation and the path it touched.
    struct Operation {
        Op op;
        std::string path;
    };

    // Folders must be added before files are created in them ("/" exists).
    void addFolder(const std::string& path);
    void setFile(const std::string& path, std::string bytes);
    bool hasFile(const std::string& path) const;
    const std::string& file(const std::string& path) const;
    void removeFile(const std::string& path) { remove(path); }
    // The clock files take their times from when written (ns since 1970).
    void setClock(std::int64_t ns) { clock_ = ns; }
    // Sets a file's time, as a tool that restores times would: its change
    // time is the clock's.
    void setModified(const std::string& path, std::int64_t ns) {
        meta_[path].modifiedNs = ns;
        meta_[path].changedNs = clock_;
    }
    long stats() const { return stats_; }
    // Makes listStats() answer, as a host whose listings carry the stats.
    void offerStatListings() { statListings_ = true; }
    // Makes opens for writing of this path refused, as on a read-only file.
    void protect(const std::string& path) { protected_.insert(path); }
    // Makes the folder and everything below it read-only, as a read-only
    // disk: opens for writing and renames into it are refused.
    void protectFolder(const std::string& path) { protectedFolders_.insert(path); }
    // At most this many bytes in all files together: a write that would go
    // past it fails whole with "Device I/O error", as on a full disk.
    void setCapacity(std::size_t bytes) { capacity_ = bytes; }

    // Operation number n (1-based, over all six kinds) fails with `kind`;
    // with `persistent`, every operation after it fails too.
    void failAt(long n, StopKind kind, bool persistent = false);
    long operations() const { return operations_; }
    // Number of the first operation made to fail (failAt or a full disk),
    // 0 while none has.
    long firstFailure() const { return firstFailure_; }
    // With keepLog(), every operation is recorded with its path.
    void keepLog() { keepLog_ = true; }
    const std::vector<Operation>& log() const { return log_; }
    long bytesRead() const { return bytesRead_; }
    long opensForInput() const { return opensForInput_; }
    long kindQueries() const { return kindQueries_; }
    long listings() const { return listings_; }
    // Largest read request, to check block sizes.
    std::size_t largestRead() const { return largestRead_; }
    std::size_t readCalls() const { return readCalls_; }
    int openHandles() const { return static_cast<int>(open_.size()); }

    Handle open(const std::string& path, OpenMode mode) override;
    std::size_t read(Handle h, char* buffer, std::size_t n) override;
    void write(Handle h, const char* data, std::size_t n) override;
    void flush(Handle h) override;
    void close(Handle h) override;
    EntryKind kind(const std::string& path) override;
    FileStat stat(const std::string& path) override;
    bool makeFolders(const std::string& path) override;
    std::vector<std::string> list(const std::string& folder) override;
    bool listStats(const std::string& folder, std::vector<NamedStat>& entries) override;
    void rename(const std::string& from, const std::string& to) override;
    void checkReplaceable(const std::string& path) override;
    void remove(const std::string& path) override;

private:
    struct OpenFile {
        std::string path;
        OpenMode mode;
        std::size_t position = 0;
    };
    void count(Op op, const std::string& path);
    // A file made or written: a new file gets a new identity.
    void touch(const std::string& path);
    void failed();
    bool inProtectedFolder(const std::string& path) const;
    static std::string parentOf(const std::string& path);

    std::map<std::string, std::string> files_;
    struct Meta {
        std::int64_t modifiedNs = 0;
        std::int64_t changedNs = 0;
        std::uint64_t identity = 0;
    };
    std::map<std::string, Meta> meta_;
    std::int64_t clock_ = 0;
    std::uint64_t nextIdentity_ = 1;
    long stats_ = 0;
    bool statListings_ = false;
    std::set<std::string> folders_{"/"};
    std::set<std::string> protected_;
    std::set<std::string> protectedFolders_;
    std::size_t capacity_ = static_cast<std::size_t>(-1);
    std::size_t stored_ = 0; // bytes in all files
    long firstFailure_ = 0;
    bool keepLog_ = false;
    std::vector<Operation> log_;
    std::map<Handle, OpenFile> open_;
    Handle next_ = 3;
    long operations_ = 0;
    long failAt_ = 0;
    StopKind failKind_ = StopKind::DeviceIOError;
    bool failPersistent_ = false;
    long bytesRead_ = 0;
    long opensForInput_ = 0;
    long kindQueries_ = 0;
    long listings_ = 0;
    std::size_t largestRead_ = 0;
    std::size_t readCalls_ = 0;
};

} // namespace vr
