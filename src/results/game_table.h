// The game table: one entry per game, addressed by game day 0..400 and game
// number 0..300. Every field is a text as cut (or found); an entry that no
// run has filled reads as empty texts. Entries are never cleared while the
// window is open; storage is sparse since a season fills a small part.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vr {

// One game's texts, kept one after another in a single buffer: a season
// holds thousands of games, and a string apiece for thirteen short fields
// took more memory than the texts themselves.
class GameEntry {
public:
    enum Field : unsigned char {
        GameDate,
        BoxScoreLink,
        Team1Number,
        Team1Name,
        Team1RosterLink,
        Team1Score,
        Team2Number,
        Team2Name,
        Team2RosterLink,
        Team2Score,
        PlayerOfTheGame,
        PlayerOfTheGameTeam,
        Top25GameFlag,
    };

    std::string_view gameDate() const { return get(GameDate); }
    std::string_view boxScoreLink() const { return get(BoxScoreLink); }
    std::string_view team1Number() const { return get(Team1Number); }
    std::string_view team1Name() const { return get(Team1Name); }
    std::string_view team1RosterLink() const { return get(Team1RosterLink); }
    std::string_view team1Score() const { return get(Team1Score); }
    std::string_view team2Number() const { return get(Team2Number); }
    std::string_view team2Name() const { return get(Team2Name); }
    std::string_view team2RosterLink() const { return get(Team2RosterLink); }
    std::string_view team2Score() const { return get(Team2Score); }
    std::string_view playerOfTheGame() const { return get(PlayerOfTheGame); }
    std::string_view playerOfTheGameTeam() const { return get(PlayerOfTheGameTeam); }
    std::string_view top25GameFlag() const { return get(Top25GameFlag); }

    std::string_view get(Field field) const {
        const std::uint32_t begin = field == 0 ? 0 : ends_[field - 1];
        return std::string_view(texts_).substr(begin, ends_[field] - begin);
    }
    // The text may be one of the entry's own.
    void set(Field field, std::string_view text);
    // Room for the texts about to be set, in one allocation.
    void reserve(std::size_t bytes) { texts_.reserve(bytes); }

private:
    static constexpr std::size_t kFields = Top25GameFlag + 1;
    std::string texts_;
    std::array<std::uint32_t, kFields> ends_{};
};

class GameTable {
public:
    static constexpr long kLastDay = 400;
    static constexpr long kLastGame = 300;

    GameTable();
    // day and game must lie in range (callers check first).
    const GameEntry& at(long day, long game) const;
    // The entry to fill; made on first use.
    GameEntry& entry(long day, long game);

private:
    // A day's games, made with its first entry: a season fills some 130 of
    // the 401 days, and each day a few dozen of its 301 games.
    using Day = std::array<std::unique_ptr<GameEntry>, kLastGame + 1>;
    std::array<std::unique_ptr<Day>, kLastDay + 1> days_;
};

} // namespace vr
