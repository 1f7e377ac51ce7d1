// A file system that hands every call on to another: tests derive from it
// to count or watch some calls and leave the rest as the host does them.
#pragma once

#include "text/file_system.h"

namespace vr::testing {

class ForwardingFileSystem : public FileSystem {
public:
    explicit ForwardingFileSystem(FileSystem& to) : to_(to) {}

    Handle open(const std::string& path, OpenMode mode) override { return to_.open(path, mode); }
    std::size_t read(Handle h, char* buffer, std::size_t n) override { return to_.read(h, buffer, n); }
    void write(Handle h, const char* data, std::size_t n) override { to_.write(h, data, n); }
    void flush(Handle h) override { to_.flush(h); }
    void close(Handle h) override { to_.close(h); }
    EntryKind kind(const std::string& path) override { return to_.kind(path); }
    FileStat stat(const std::string& path) override { return to_.stat(path); }
    bool listStats(const std::string& folder, std::vector<NamedStat>& entries) override {
        return to_.listStats(folder, entries);
    }
    bool makeFolders(const std::string& path) override { return to_.makeFolders(path); }
    std::vector<std::string> list(const std::string& folder) override { return to_.list(folder); }
    std::vector<std::string> listFiles(const std::string& folder) override { return to_.listFiles(folder); }
    Folder openFolder(const std::string& path) override { return to_.openFolder(path); }
    void closeFolder(Folder folder) override { to_.closeFolder(folder); }
    Handle openIn(Folder folder, const std::string& folderPath, std::string_view name, OpenMode mode) override {
        return to_.openIn(folder, folderPath, name, mode);
    }
    void rename(const std::string& from, const std::string& to) override { to_.rename(from, to); }
    void flushFolder(const std::string& path) override { to_.flushFolder(path); }
    bool lockFolder(const std::string& path, long waitMs, Lock& lock) override {
        return to_.lockFolder(path, waitMs, lock);
    }
    void unlockFolder(Lock lock) override { to_.unlockFolder(lock); }
    void checkReplaceable(const std::string& path) override { to_.checkReplaceable(path); }
    void remove(const std::string& path) override { to_.remove(path); }

private:
    FileSystem& to_;
};

} // namespace vr::testing
