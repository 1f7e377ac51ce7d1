// Hand-made roster pages for the snapshot tests: every marker line built to
// the exact columns the cuts expect, and each part replaceable.
#pragma once

#include <cassert>
#include <string>
#include <vector>

namespace vr::testing {

// `s` padded with spaces to n characters.
inline std::string padTo(std::string s, std::size_t n) {
    assert(s.size() <= n);
    s.resize(n, ' ');
    return s;
}

// First colour from character 30, second from character 46.
inline std::string teamColourLine(const std::string& first, const std::string& second) {
    return padTo(padTo("   tr.teamcolor {background: ", 29) + first + "; color: ", 45) + second + ";}";
}

// The logo file name between 58 characters of image tag and the size.
inline std::string logoLine(const std::string& logo) {
    const std::string tag = "<td class=main align=center><img src=../../logos/";
    return std::string(58 - tag.size(), ' ') + tag + logo +
           " width=75 height=75></td>";
}

inline std::string pollRankLine(const std::string& rank) {
    return padTo(padTo("<tr><td class=main>", 28) + "Current Poll Rank:", 66) + rank + "</td>";
}

inline std::string rpiRankLine(const std::string& rank) {
    return padTo(padTo("<tr><td class=main>", 32) + "Current RPI Rank:", 77) + rank + "</td>";
}

struct RosterPage {
    std::string name = "Alder State";
    std::string firstColour = "#C41E3A";
    std::string secondColour = "#FFFFFF";
    std::string logo = "alderstate.gif";
    std::string record = "Record: 12 - 5"; // the record line less its closing "</div>"
    std::string pollRank = " 7";
    std::string rpiRank = " 12";

    std::vector<std::string> lines() const {
        return {
            "<html><head>",
            "<title>" + name + "</title>",
            "<style>",
            "   tr.main {font-size: 8pt}",
            teamColourLine(firstColour, secondColour),
            "</style></head><body>",
            "<table>",
            logoLine(logo),
            "<td class=main>" + name + "</td>",
            "<div class=rec>" + record + "</div>",
            "<td class=main>Coach: Ana Pereira</td>",
            pollRankLine(pollRank),
            "<tr><td class=main>Conference: Northern</td>",
            rpiRankLine(rpiRank),
            "</table>",
            "</body></html>",
        };
    }
};

} // namespace vr::testing
