// Leagues written by the sample-league generator for end-to-end tests, and
// the facts it writes beside them (manifest.txt), read back for comparison.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vr::testing {

inline constexpr const char* kLeagueBelowDrive =
    "Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen";

std::string readBytes(const std::filesystem::path& path);
// Pieces between separators; a trailing separator adds no empty piece.
std::vector<std::string> splitOn(const std::string& text, const std::string& separator);

struct Manifest {
    struct Team {
        std::string name, record, firstColour, secondColour, pollRank, rpiRank, logoFile, standingsName;
    };
    struct Game {
        long day = 0, number = 0;
        std::string dayText, numberText, date;
        std::string team1, name1, score1, team2, name2, score2;
        std::string player, playerTeam, status; // played | unplayed | played-nopbp
    };
    struct Player {
        std::string team, name;
        double points = 0, rebounds = 0, assists = 0;
    };

    std::map<std::string, std::string> league; // "teams" -> "24"
    std::map<long, Team> teams;
    std::map<long, long> days;                 // D -> games the probe counts
    std::vector<Game> games;                   // schedule page order
    std::map<std::pair<long, long>, std::vector<Player>> players; // box page order

    // The last game listed for (day, number), or null.
    const Game* game(long day, long number) const;
};

Manifest readManifest(const std::filesystem::path& path);

// "$VR_BUILD_DIR/make-sample-league", or "" when CTest did not say.
std::string generatorPath();

// A league the generator writes into a fresh temporary folder, removed again
// at the end. ready() is false when the generator is not built.
class GeneratedDrive {
public:
    explicit GeneratedDrive(const std::string& options);
    ~GeneratedDrive();
    GeneratedDrive(const GeneratedDrive&) = delete;
    GeneratedDrive& operator=(const GeneratedDrive&) = delete;

    bool ready() const { return !drive_.empty(); }
    // The game's next export laid over the league (the generator's --over
    // with `options`); false when the generator failed. The manifest is the
    // new league's.
    bool layOver(const std::string& options);
    const std::string& error() const { return error_; }
    const std::filesystem::path& drive() const { return drive_; }
    const Manifest& manifest() const { return manifest_; }
    // A file of the league folder, named with forward slashes.
    // In the host's own separators; "" is the league folder itself.
    std::filesystem::path file(const std::string& name) const {
        std::filesystem::path p = drive_ / kLeagueBelowDrive;
        if (!name.empty()) p /= name;
        return p.make_preferred();
    }
    std::string bytes(const std::string& name) const { return readBytes(file(name)); }
    std::vector<std::string> lines(const std::string& name) const { return splitOn(bytes(name), "\r\n"); }

private:
    std::filesystem::path drive_;
    std::string error_;
    Manifest manifest_;
};

} // namespace vr::testing
