// A file opened through the file-system seam and closed when it goes out of
// scope: a stop between the open and the close leaves no handle open. The
// close that counts (a written file's, whose failure is a lost write) is
// close(), which stops on failure; the destructor's close is quiet.
#pragma once

#include "text/file_system.h"

#include <utility>

namespace vr {

class FileHandle {
public:
    static constexpr FileSystem::Handle kNone = -1;

    FileHandle(FileSystem& fs, FileSystem::Handle handle) : fs_(fs), handle_(handle) {}
    FileHandle(FileSystem& fs, const std::string& path, OpenMode mode) : fs_(fs), handle_(fs.open(path, mode)) {}
    ~FileHandle() {
        if (handle_ == kNone) return;
        try {
            fs_.close(handle_);
        } catch (...) {
            // Already stopping, or nothing was written: there is nothing to lose.
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    FileSystem::Handle get() const { return handle_; }
    void close() { fs_.close(std::exchange(handle_, kNone)); }
    // The handle, handed on to an owner that closes it.
    FileSystem::Handle release() { return std::exchange(handle_, kNone); }

private:
    FileSystem& fs_;
    FileSystem::Handle handle_;
};

} // namespace vr
