// The game table: one entry per game, addressed by game day 0..400 and game
// number 0..300. Every field is a text as cut (or found); an entry that no
// run has filled reads as empty texts. Entries are never cleared while the
// window is open; storage is sparse since a season fills a small part.
#pragma once

#include <memory>
#include <string>
#include <vector>

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
    static std::size_t index(long day, long game) {
        return static_cast<std::size_t>(day * (kLastGame + 1) + game);
    }
    std::vector<std::unique_ptr<GameEntry>> entries_;
};

} // namespace vr
