// Pages shaped like the game's own, for the micro-benchmarks: a play-by-play
// file of some 350 lines with its "Player of the Game:" line near the end,
// as the game writes it.
#pragma once

#include <string>

namespace vr::bench {

inline std::string playByPlayText() {
    std::string text = "PLAY-BY-PLAY\r\nNorth Ridge at Lake City\r\n"
                       "Thursday, November 19, 2009 (Day 250, Game 1)\r\nLake City Coliseum\r\n";
    text += std::string(74, '=') + "\r\n";
    for (int i = 0; i < 300; ++i) {
        text += "[19:52] Lake City: H. Merriweather hits a three-pointer from the wing, "
                "assisted by M. Taylor.   3-";
        text += std::to_string(i);
        text += "\r\n";
    }
    for (int i = 0; i < 26; ++i)
        text += "   Hector Parker                  18 pts  7/14 FG  2/4 3PT  2/3 FT  7 reb  1 ast  28 min\r\n";
    text += std::string(74, '=') + "\r\nFINAL: North Ridge 55, Lake City 78\r\n\r\n";
    text += "Player of the Game: Hector Parker - Lake City\r\n";
    text += "   18 points, 7 rebounds, 1 assists\r\nBox score: boxes/box250-1.htm\r\n";
    return text;
}

} // namespace vr::bench
