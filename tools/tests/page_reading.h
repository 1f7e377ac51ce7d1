// Test support: generated leagues, their manifest, and small line cutters
// written afresh from the page rules (not shared with the generator), so
// that a page the generator gets wrong is caught here.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pagecheck {

namespace fs = std::filesystem;

// A file's lines split at CR LF. `clean` is false when a line holds a bare
// CR or LF or the file does not end with CR LF.
struct Lines {
    std::vector<std::string> lines;
    bool clean = true;
};
Lines read_lines(const fs::path& path);
std::string read_bytes(const fs::path& path);

// Cuts counted in characters, never failing on short text.
std::string drop_first(std::string_view s, std::size_t n);
std::string drop_last(std::string_view s, std::size_t n);
std::string take(std::string_view s, std::size_t from_1, std::size_t n);  // from character from_1 (1-based)
std::string trim_spaces(std::string_view s);
bool starts_with(std::string_view s, std::string_view prefix);
bool ends_with(std::string_view s, std::string_view suffix);
int leading_number(std::string_view s);

struct ManifestTeam {
    int number = 0;
    std::string name, record, color1, color2, poll, rpi, logo, standings;
};
struct ManifestGame {
    int day = 0, number = 0;
    std::string date, t1, t1_name, t1_score, t2, t2_name, t2_score, pog, pog_team, status;
};
struct ManifestPlayer {
    int day = 0, number = 0;
    std::string team, name;
    int points = 0, rebounds = 0, assists = 0;
};
struct Manifest {
    int teams = 0, first_day = 0, last_day = 0, last_simulated_day = 0;
    std::vector<ManifestTeam> team_lines;
    std::vector<std::pair<int, int>> days;
    std::vector<ManifestGame> games;
    std::vector<ManifestPlayer> players;
    bool clean = true;  // every line had the right number of fields
};
Manifest read_manifest(const fs::path& file);

struct TestLeague {
    fs::path drive;
    fs::path folder;  // the league folder
    Manifest manifest;
};

// Leagues written once per test run into a temporary folder, from command
// lines (see page_reading.cpp).
const TestLeague& edge_league();        // demo preset, all edge cases
const TestLeague& plain_league();       // demo preset, another seed, no switches
const TestLeague& postseason_league();  // small league whose postseason passes day 365

// The test run's own temporary folder, removed when the run ends.
fs::path run_folder();

// Writes a league from a command line (without the program name) into a
// fresh folder under the test run's temporary folder.
TestLeague make_league(const std::string& name, std::vector<std::string> args);

}  // namespace pagecheck
