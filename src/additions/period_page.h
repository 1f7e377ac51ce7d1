// period-day<L>.html: one archived period's games as a page for phones,
// beside the scoreboard, which keeps its fixed 500-pixel boxes. HTML5 in
// UTF-8 with a viewport, one column, no script.
#pragma once

#include <string>
#include <vector>

namespace vr {

// Texts are UTF-8 as shown; links are relative to the page ("" for none).
struct PageTeam {
    std::string name, rank, record, score, logo;
    bool winner = false;
};

struct PageGame {
    PageTeam teams[2];
    std::string player, playerTeam, boxLink;
};

struct PageDay {
    std::string date;
    std::vector<PageGame> games;
};

struct PeriodPage {
    std::string league, season;
    std::string firstDate, lastDate;
    long firstDay = 0, lastDay = 0;
    std::vector<PageDay> days;
    std::string seasonIndexLink, periodsLink;
};

std::string periodPageName(long lastDay); // "period-day249.html"

// The page's bytes, lines ended with CR LF.
std::string periodPageHtml(const PeriodPage& page);

} // namespace vr
