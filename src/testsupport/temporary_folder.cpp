#include "testsupport/temporary_folder.h"

#include <chrono>
#include <cstdlib>
#include <random>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vr::testing {

namespace fs = std::filesystem;

fs::path makeTemporaryFolder(std::string_view stem) {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) return {};
    std::random_device seed;
    std::mt19937_64 random(seed());
    const char* digits = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name(stem);
        name += '-';
        for (int i = 0; i < 8; ++i) name += digits[random() % 36];
        fs::path folder = base / name;
        // create_directory is false when the name is taken: try another.
        if (fs::create_directory(folder, error)) return folder;
        if (error) return {};
    }
    return {};
}

int runQuietly(const std::string& command) {
#ifdef _WIN32
    // cmd.exe takes the whole line in quotes when it starts with a quote.
    return std::system(("\"" + command + " >nul\"").c_str());
#else
    return std::system((command + " >/dev/null").c_str());
#endif
}

#ifdef _WIN32
namespace {

// FILETIME counts 100 ns from 1601; the clocks here count from 1970.
constexpr long long kTicksTo1970 = 116444736000000000LL;

HANDLE openForTimes(const fs::path& path, DWORD access) {
    HANDLE h = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path.string());
    return h;
}

} // namespace

fs::file_time_type modifiedTime(const fs::path& path) {
    HANDLE h = openForTimes(path, FILE_READ_ATTRIBUTES);
    FILETIME written;
    BOOL ok = GetFileTime(h, nullptr, nullptr, &written);
    CloseHandle(h);
    if (!ok) throw std::runtime_error("cannot read the time of " + path.string());
    long long ticks = (static_cast<long long>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    std::chrono::sys_time<std::chrono::nanoseconds> sys{std::chrono::nanoseconds((ticks - kTicksTo1970) * 100)};
    return std::chrono::file_clock::from_sys(sys);
}

void setModifiedTime(const fs::path& path, fs::file_time_type time) {
    auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::file_clock::to_sys(time).time_since_epoch());
    long long ticks = ns.count() / 100 + kTicksTo1970;
    FILETIME written{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
    HANDLE h = openForTimes(path, FILE_WRITE_ATTRIBUTES);
    BOOL ok = SetFileTime(h, nullptr, nullptr, &written);
    CloseHandle(h);
    if (!ok) throw std::runtime_error("cannot set the time of " + path.string());
}
#else
fs::file_time_type modifiedTime(const fs::path& path) { return fs::last_write_time(path); }

void setModifiedTime(const fs::path& path, fs::file_time_type time) { fs::last_write_time(path, time); }
#endif

std::string programName(std::string_view name) {
#ifdef _WIN32
    return std::string(name) + ".exe";
#else
    return std::string(name);
#endif
}

} // namespace vr::testing
