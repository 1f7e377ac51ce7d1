// The game table: one entry per game, addressed by game day 0..400 and game
// number 0..300. Every field is a text as cut (or found); an entry that no
// run has filled reads as empty texts. Entries are never cleared while the
// window is open; storage is sparse since a season fills a small part.
#pragma once

#include <array>
#include <memory>
#include <string>

namespace vr {

struct GameEntry {
    std::string gameDate;
    std::string boxScoreLink;
    std::string team1Number;
    std::string team1Name;
    std::string team1RosterLink;
    std::string team1Score;
    std::string team2Number;
    std::string team2Name;
    std::string team2RosterLink;
    std::string team2Score;
    std::string playerOfTheGame;
    std::string playerOfTheGameTeam;
    std::string top25GameFlag;
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
