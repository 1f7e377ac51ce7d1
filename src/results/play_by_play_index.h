// What the player of the game lookup learnt from each play-by-play file,
// kept between runs in the user's cache folder: a file whose size, times
// (modification and change) and identity are unchanged is not read again. The index can never change a
// result: anything amiss with it leaves it empty, and the files are read.
// It pays: without it a warm run of the full season takes some 65 to 94 ms
// more, about twice as long (bench/run.sh, rows 1 and 1i); under Wine 1.1 s
// against 0.2 s (rows W1 and W1i).
#pragma once

#include "league/league_folder.h"
#include "results/game_in_hand.h"
#include "text/file_system.h"

#include <cstdint>
#include <deque>
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

    std::size_t loaded() const { return read_.size(); }
    std::size_t taken() const { return taken_; }

    // One game's entry: its key (day and game), the stat of its file when
    // it was read, and what the lookup found there.
    struct Entry {
        std::uint64_t key = 0;
        FileStat stat;
        std::string_view player; // in bytes_, or in names_ for a file read this run
        std::string_view team;
        bool taken = false; // an entry read serves one look-up
    };

private:
    bool trusted(const FileStat& known, const FileStat& now) const;

    std::string bytes_;            // the index file read
    std::vector<Entry> read_;      // its entries, sorted by key
    std::deque<std::string> names_; // the names of the files read this run
    std::vector<Entry> kept_;      // this run's, in the order looked up
    std::int64_t writtenNs_ = 0;
    std::size_t taken_ = 0;
};

// The index's file within `cacheFolder`, named by a hash of the league
// folder's host path.
std::string playByPlayIndexFile(const std::string& cacheFolder, std::string_view leagueHostPath);

} // namespace vr
