// The operating system's files on Windows. Paths arrive as the core keeps
// them (Windows-1252 bytes, either slash) and go to the system as UTF-16
// through the project's own code-page table, in the \\?\ form that lifts
// the MAX_PATH limit.
#include "host/folder_lock.h"
#include "host/windows_paths.h"
#include "text/errors.h"
#include "text/file_system.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace vr {
namespace {

bool isFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Another program holding the file: the commonest cause on Windows is a
// spreadsheet or editor with one of the output files open.
Stop heldOpen() {
    return Stop(StopKind::PermissionDenied)
        .withNote("Another program holds the file open: close it there and start again.");
}

[[noreturn]] void failOpen(DWORD error, const std::wstring& path, OpenMode mode) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        // As on POSIX: a missing file whose folder is missing too is a
        // missing path (the system may say either).
        if (mode == OpenMode::Input && isFolder(parentOf(path))) throw Stop(StopKind::FileNotFound);
        throw Stop(StopKind::PathNotFound);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        throw Stop(StopKind::PathNotFound);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        throw heldOpen();
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        throw Stop(StopKind::PermissionDenied);
    default:
        throw Stop(StopKind::DeviceIOError);
    }
}

[[noreturn]] void failTransfer() {
    DWORD error = GetLastError();
    if (error == ERROR_LOCK_VIOLATION) throw heldOpen(); // a range locked by another program
    if (error == ERROR_ACCESS_DENIED) throw Stop(StopKind::PermissionDenied);
    throw Stop(StopKind::DeviceIOError); // ERROR_DISK_FULL, ERROR_HANDLE_DISK_FULL among them
}

class WindowsFileSystem final : public FileSystem {
public:
    Handle open(const std::string& path, OpenMode mode) override {
        const std::wstring wide = systemPath(path);
        DWORD access = GENERIC_READ;
        // The game may hold its pages open while we read them; a browser or
        // an editor may look at what we write while we write it.
        DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        DWORD disposition = OPEN_EXISTING;
        DWORD flags = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN;
        if (mode != OpenMode::Input) {
            // Windows refuses to write a read-only file, but not to a
            // process that may bypass the attribute (Wine run by root): the
            // attribute is honoured here for every caller alike.
            DWORD attributes = GetFileAttributesW(wide.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
                !(attributes & FILE_ATTRIBUTE_DIRECTORY))
                throw Stop(StopKind::PermissionDenied);
            access = GENERIC_WRITE;
            share = FILE_SHARE_READ;
            disposition = mode == OpenMode::Output ? CREATE_ALWAYS : OPEN_ALWAYS;
            flags = FILE_ATTRIBUTE_NORMAL;
        }
        HANDLE h = CreateFileW(wide.c_str(), access, share, nullptr, disposition, flags, nullptr);
        if (h == INVALID_HANDLE_VALUE) failOpen(GetLastError(), wide, mode);
        if (mode == OpenMode::Append) {
            // Nobody else may write while we hold it: its end stays ours.
            LARGE_INTEGER zero{};
            if (!SetFilePointerEx(h, zero, nullptr, FILE_END)) {
                CloseHandle(h);
                throw Stop(StopKind::DeviceIOError);
            }
        }
        return keep(h);
    }

    std::size_t read(Handle h, char* buffer, std::size_t n) override {
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(n, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(handle(h), buffer, want, &got, nullptr)) {
            if (GetLastError() == ERROR_HANDLE_EOF || GetLastError() == ERROR_BROKEN_PIPE) return 0;
            failTransfer();
        }
        return got;
    }

    void write(Handle h, const char* data, std::size_t n) override {
        HANDLE file = handle(h);
        std::size_t written = 0;
        while (written < n) {
            DWORD want = static_cast<DWORD>(std::min<std::size_t>(n - written, 1u << 30));
            DWORD put = 0;
            if (!WriteFile(file, data + written, want, &put, nullptr) || put == 0) {
                DWORD error = GetLastError();
                takeBack(file, written);
                SetLastError(error);
                failTransfer();
            }
            written += put;
        }
    }

    void flush(Handle h) override {
        // On the disk before the file is closed: the settings are saved by
        // writing a twin and moving it over the old file, which must not
        // leave an empty file after a power cut.
        if (!FlushFileBuffers(handle(h))) failTransfer();
    }

    void close(Handle h) override {
        HANDLE file = handle(h);
        handles_[static_cast<std::size_t>(h)] = INVALID_HANDLE_VALUE;
        if (!CloseHandle(file)) throw Stop(StopKind::DeviceIOError);
    }

    EntryKind kind(const std::string& path) override {
        DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return EntryKind::Missing;
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::Directory : EntryKind::File;
    }

    FileStat stat(const std::string& path) override {
        FileStat out;
        const std::wstring wide = systemPath(path);
        // Opening for no access at all reads the attributes of a file that
        // another program holds without sharing; folders need the backup flag.
        HANDLE h = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            out.kind = kind(path);
            return out;
        }
        BY_HANDLE_FILE_INFORMATION info;
        if (GetFileInformationByHandle(h, &info)) {
            out.kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::Directory : EntryKind::File;
            out.known = true;
            out.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
            out.modifiedNs = unixNanoseconds(info.ftLastWriteTime);
            out.volume = info.dwVolumeSerialNumber;
            out.identity = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
            // The change time, as the folder's listing gives it.
            FILE_BASIC_INFO basic;
            if (GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic))
                out.changedNs = unixNanoseconds(FILETIME{basic.ChangeTime.LowPart,
                                                         static_cast<DWORD>(basic.ChangeTime.HighPart)});
        } else {
            out.kind = EntryKind::File;
        }
        CloseHandle(h);
        return out;
    }

    bool makeFolders(const std::string& path) override {
        if (path.empty()) return false;
        if (kind(path) == EntryKind::Directory) return true;
        std::string parent = parentPath(path);
        if (!parent.empty() && parent != path && !makeFolders(parent)) return false;
        return CreateDirectoryW(systemPath(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
    }

    std::vector<std::string> list(const std::string& folder) override {
        std::vector<std::string> names;
        eachEntry(folder, [&](std::string name, bool) { names.push_back(std::move(name)); });
        std::sort(names.begin(), names.end());
        return names;
    }

    std::vector<std::string> listFiles(const std::string& folder) override {
        std::vector<std::string> names;
        eachEntry(folder, [&](std::string name, bool directory) {
            if (!directory) names.push_back(std::move(name));
        });
        return names;
    }

    void rename(const std::string& from, const std::string& to) override {
        // One step that replaces the old file, on the disk before it returns.
        const std::wstring target = systemPath(to);
        if (!MoveFileExW(systemPath(from).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            DWORD error = GetLastError();
            if (error == ERROR_ACCESS_DENIED && heldByAnother(target)) error = ERROR_SHARING_VIOLATION;
            if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) throw heldOpen();
            if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT) throw Stop(StopKind::PermissionDenied);
            throw Stop(StopKind::DeviceIOError);
        }
    }

    void checkReplaceable(const std::string& path) override {
        // What would keep MoveFileExW from putting a file in its place: a
        // folder, a read-only file, another program holding it unshared.
        const std::wstring wide = systemPath(path);
        DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return;
        if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) throw Stop(StopKind::PermissionDenied);
        if (heldByAnother(wide)) throw heldOpen();
    }

    void remove(const std::string& path) override { DeleteFileW(systemPath(path).c_str()); }

    bool listsStatsAside() const override { return true; }

    bool listStats(const std::string& folder, std::vector<NamedStat>& entries) override {
        return listWithStats(folder, entries);
    }

    bool lockFolder(const std::string& path, long waitMs, Lock& lock) override {
        return lockAsFileSystem(path, waitMs, lock);
    }

    void unlockFolder(Lock lock) override { unlockHostFolder(lock); }

private:
    // The folder's entries with their stats.
    static bool listWithStats(const std::string& folder, std::vector<NamedStat>& entries) {
        // One pass over the folder gives each entry's size, time and file
        // ID; the volume is the folder's own.
        HANDLE dir = CreateFileW(systemPath(folder).c_str(), FILE_LIST_DIRECTORY,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (dir == INVALID_HANDLE_VALUE) return false;
        BY_HANDLE_FILE_INFORMATION self;
        bool ok = GetFileInformationByHandle(dir, &self);
        std::vector<char> block(64 * 1024);
        FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
        while (ok) {
            if (!GetFileInformationByHandleEx(dir, kind, block.data(), static_cast<DWORD>(block.size()))) {
                ok = GetLastError() == ERROR_NO_MORE_FILES;
                break;
            }
            kind = FileIdBothDirectoryInfo;
            for (std::size_t at = 0;;) {
                const auto* e = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(block.data() + at);
                std::wstring_view name(e->FileName, e->FileNameLength / sizeof(wchar_t));
                // A link's entry tells of the link, a stat of its target:
                // those are left to stat().
                if (name != L"." && name != L".." && !(e->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                    NamedStat entry;
                    entry.name = fromSystemName(name);
                    entry.stat.kind = (e->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::Directory : EntryKind::File;
                    entry.stat.known = true;
                    entry.stat.size = static_cast<std::uint64_t>(e->EndOfFile.QuadPart);
                    FILETIME written{e->LastWriteTime.LowPart, static_cast<DWORD>(e->LastWriteTime.HighPart)};
                    entry.stat.modifiedNs = unixNanoseconds(written);
                    FILETIME changed{e->ChangeTime.LowPart, static_cast<DWORD>(e->ChangeTime.HighPart)};
                    entry.stat.changedNs = unixNanoseconds(changed);
                    entry.stat.volume = self.dwVolumeSerialNumber;
                    entry.stat.identity = static_cast<std::uint64_t>(e->FileId.QuadPart);
                    entries.push_back(std::move(entry));
                }
                if (e->NextEntryOffset == 0) break;
                at += e->NextEntryOffset;
            }
        }
        CloseHandle(dir);
        if (!ok) entries.clear();
        return ok;
    }

    // Whether another program holds the file without letting it be
    // replaced: some systems refuse the move as "access denied" then.
    static bool heldByAnother(const std::wstring& path) {
        HANDLE h = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return false;
        }
        return GetLastError() == ERROR_SHARING_VIOLATION;
    }

    Handle keep(HANDLE h) {
        auto free = std::find(handles_.begin(), handles_.end(), INVALID_HANDLE_VALUE);
        if (free != handles_.end()) {
            *free = h;
            return static_cast<Handle>(free - handles_.begin());
        }
        handles_.push_back(h);
        return static_cast<Handle>(handles_.size() - 1);
    }

    HANDLE handle(Handle h) const {
        if (h < 0 || static_cast<std::size_t>(h) >= handles_.size() ||
            handles_[static_cast<std::size_t>(h)] == INVALID_HANDLE_VALUE)
            throw Stop(StopKind::DeviceIOError);
        return handles_[static_cast<std::size_t>(h)];
    }

    // As on POSIX: the bytes of a failed write are cut off again, so that
    // the file ends where the last whole write did.
    static void takeBack(HANDLE file, std::size_t written) {
        if (written == 0) return;
        LARGE_INTEGER back;
        back.QuadPart = -static_cast<LONGLONG>(written);
        if (SetFilePointerEx(file, back, nullptr, FILE_CURRENT)) SetEndOfFile(file);
    }

    static std::int64_t unixNanoseconds(FILETIME t) {
        // 100 ns ticks since 1601.
        const std::int64_t ticks = static_cast<std::int64_t>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) |
                                                             t.dwLowDateTime);
        return (ticks - 116444736000000000LL) * 100;
    }

    template <class F>
    static void eachEntry(const std::string& folder, F f) {
        std::wstring pattern = systemPath(folder);
        if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
        pattern += L'*';
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE) return;
        do {
            std::wstring_view name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            f(fromSystemName(name), (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }

    std::vector<HANDLE> handles_;
};

} // namespace

FileSystem& hostFileSystem() {
    static WindowsFileSystem fs;
    return fs;
}

} // namespace vr
