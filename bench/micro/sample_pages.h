// Pages shaped like the game's own, for the micro-benchmarks: a play-by-play
// file of some 350 lines, clock times, team and player names (capitals and
// colons as often as in the game's files) and its "Player of the Game:"
// line near the end, as the game writes it.
#pragma once

#include <cstdint>
#include <string>

namespace vr::bench {

inline std::string playByPlayText() {
    const char* teams[] = {"Port Ashby", "West Lakeport", "Pinecrest State", "Central Kestrel Bay"};
    const char* players[] = {"H. Parker", "P. Whitfield", "M. Taylor", "J. Roberts", "L. Murphy", "C. Pierce"};
    const char* plays[] = {"hits a short jumper, assisted by P. Osei.", "misses a free throw.",
                           "grabs the defensive rebound.", "is called for a shooting foul.",
                           "buries a corner three.", "has the ball stolen."};
    std::uint32_t seed = 2009;
    auto next = [&](std::uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    std::string text = "PLAY-BY-PLAY\r\nPort Ashby at West Lakeport\r\n"
                       "Thursday, November 19, 2009 (Day 250, Game 1)\r\nWest Lakeport Coliseum\r\n";
    text += std::string(74, '=') + "\r\n";
    int a = 0, b = 0;
    for (int i = 0; i < 300; ++i) {
        int left = 1200 - 4 * i;
        text += "[" + std::to_string(left / 60) + ":" + std::to_string(10 + left % 50) + "] ";
        text += teams[next(4)];
        text += ": ";
        text += players[next(6)];
        text += ' ';
        text += plays[next(6)];
        (next(2) ? a : b) += static_cast<int>(next(3));
        text += "   " + std::to_string(a) + "-" + std::to_string(b) + "\r\n";
    }
    for (int i = 0; i < 26; ++i) {
        text += "   Pierce Parker                  18 pts  7/14 FG  2/4 3PT  2/3 FT  ";
        text += std::to_string(next(12)) + " reb  1 ast  28 min\r\n";
    }
    text += std::string(74, '=') + "\r\nFINAL: Port Ashby 55, West Lakeport 78\r\n\r\n";
    text += "Player of the Game: Hector Parker - West Lakeport\r\n";
    text += "   18 points, 7 rebounds, 1 assists\r\nBox score: boxes/box250-1.htm\r\n";
    return text;
}

} // namespace vr::bench
