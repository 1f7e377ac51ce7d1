#include "testsupport/generated_league.h"
#include "testsupport/temporary_folder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vr::testing {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> splitOn(const std::string& text, const std::string& separator) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(start, end - start));
        start = end + separator.size();
    }
    return out;
}

const Manifest::Game* Manifest::game(long day, long number) const {
    for (auto it = games.rbegin(); it != games.rend(); ++it)
        if (it->day == day && it->number == number) return &*it;
    return nullptr;
}

Manifest readManifest(const fs::path& path) {
    Manifest m;
    for (const std::string& line : splitOn(readBytes(path), "\n")) {
        std::vector<std::string> f;
        // Fields may be empty, a trailing one included.
        std::size_t start = 0;
        for (;;) {
            std::size_t tab = line.find('\t', start);
            f.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        while (f.size() < 14) f.emplace_back();
        if (f[0] == "league") {
            for (std::size_t i = 1; i < f.size(); ++i) {
                auto eq = f[i].find('=');
                if (eq != std::string::npos) m.league[f[i].substr(0, eq)] = f[i].substr(eq + 1);
            }
        } else if (f[0] == "team") {
            m.teams[std::stol(f[1])] = Manifest::Team{f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9]};
        } else if (f[0] == "day") {
            m.days[std::stol(f[1])] = std::stol(f[2]);
        } else if (f[0] == "game") {
            m.games.push_back(Manifest::Game{std::stol(f[1]), std::stol(f[2]), f[1], f[2], f[3], f[4], f[5],
                                             f[6], f[7], f[8], f[9], f[10], f[11], f[12]});
        } else if (f[0] == "player") {
            m.players[{std::stol(f[1]), std::stol(f[2])}].push_back(
                Manifest::Player{f[3], f[4], std::stod(f[5]), std::stod(f[6]), std::stod(f[7])});
        }
    }
    return m;
}

std::string generatorPath() {
    const char* build = std::getenv("VR_BUILD_DIR");
    return build ? std::string(build) + "/" + programName("make-sample-league") : std::string();
}

GeneratedDrive::GeneratedDrive(const std::string& options) {
    std::string tool = generatorPath();
    if (tool.empty() || !fs::exists(tool)) return;
    fs::path folder = makeTemporaryFolder("vr-league");
    if (folder.empty()) return;
    drive_ = folder;
    std::string command = "\"" + tool + "\" --drive \"" + folder.string() + "\" " + options;
    if (runQuietly(command) != 0) {
        error_ = "generator failed: " + command;
        return;
    }
    manifest_ = readManifest(drive_ / "manifest.txt");
}

bool GeneratedDrive::layOver(const std::string& options) {
    const std::string command =
        "\"" + generatorPath() + "\" --drive \"" + drive_.string() + "\" --over " + options;
    if (runQuietly(command) != 0) return false;
    manifest_ = readManifest(drive_ / "manifest.txt");
    return true;
}

GeneratedDrive::~GeneratedDrive() {
    std::error_code ignored;
    if (!drive_.empty()) fs::remove_all(drive_, ignored);
}

} // namespace vr::testing
