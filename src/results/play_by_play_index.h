// What the player of the game lookup learnt from each play-by-play file,
// kept between runs in the user's cache folder: a file whose size, times
// (modification and change) and identity are unchanged is not read again. The index can never change a
// result: anything amiss with it leaves it empty, and the files are read.
#pragma once

#include "league/league_folder.h"
#include "results/game_in_hand.h"
#include "text/file_system.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vr {

class PlayByPlayIndex {
public:
    // Entries no older than this before the index was written are read
    // again: a change within the time's resolution would not show.
    static constexpr std::int64_t kTrustedAgeNs = 2'000'000'000;

    // The index kept at `path` for the league folder `owner`; a missing,
    // unreadable, damaged or foreign one leaves the index empty.
    void load(FileSystem& fs, const std::string& path, std::string_view owner);
    // As lookUpPlayerOfTheGame(), from the index where the file is unchanged.
    // True when the game's file is there (as lookUpPlayerOfTheGame()).
    bool lookUp(LeagueFolder& league, const GameInHand& game);
    // What this run looked up, written whole to a temporary file and renamed
    // over `path`; false (and the old index kept) when that fails.
    bool save(FileSystem& fs, const std::string& path, std::string_view owner) const;

    std::size_t loaded() const { return old_.size(); }
    std::size_t taken() const { return taken_; }

private:
    // An entry of the index read: its record is left in the bytes read and
    // decoded when its game is looked up, so that a season's thousands of
    // entries cost 16 bytes apiece.
    struct Known {
        std::uint64_t key = 0;
        std::uint32_t at = 0;
        std::uint32_t size : 31;
        std::uint32_t taken : 1;
    };
    // A file read this run.
    struct Fresh {
        FileStat stat;
        std::string player;
        std::string team;
    };
    // What this run keeps for a game: a known record or a fresh entry.
    struct Kept {
        std::uint64_t key = 0;
        std::uint32_t index = 0;
        bool fresh = false;
    };

    bool trusted(const FileStat& known, const FileStat& now) const;

    std::string bytes_;         // the index file read
    std::vector<Known> old_;    // its records, by key
    std::vector<Fresh> fresh_;
    std::vector<Kept> new_;     // in the order looked up
    std::int64_t writtenNs_ = 0;
    std::size_t taken_ = 0;
};

// The index's file within `cacheFolder`, named by a hash of the league
// folder's host path.
std::string playByPlayIndexFile(const std::string& cacheFolder, std::string_view leagueHostPath);

} // namespace vr
