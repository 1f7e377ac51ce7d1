#include "testsupport/temporary_folder.h"

#include <cstdlib>
#include <random>

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

std::string programName(std::string_view name) {
#ifdef _WIN32
    return std::string(name) + ".exe";
#else
    return std::string(name);
#endif
}

} // namespace vr::testing
