// A memory league with tables filled by hand, and box score pages built to
// the layout the box score reader expects.
#pragma once

#include "results/publishing.h"
#include "testsupport/memory_league.h"

#include <string>
#include <vector>

namespace vr::testing {

struct BoxPlayer {
    std::string name, rebounds, assists, points;
};
struct BoxTeam {
    std::string text;
    std::vector<BoxPlayer> players;
};

// A box score page: a line before the first block, then per team its header,
// its player rows with their fifteen lines each, and its totals row.
inline std::vector<std::string> boxPage(const std::vector<BoxTeam>& teams) {
    const std::string playerRow = "       <td class=main align=left>&nbsp;<a class=link href=../rosters/p.htm";
    auto value = [](const std::string& v) { return "       <td class=main>&nbsp;" + v + "</td>"; };
    std::vector<std::string> lines{"<html><table>"};
    for (const BoxTeam& team : teams) {
        lines.push_back("   <tr><td class=tableheader colspan=14>&nbsp;" + team.text + "</td></tr>");
        lines.push_back("   <tr><td>MIN</td></tr>");
        for (const BoxPlayer& p : team.players) {
            lines.push_back(playerRow + std::string(80 - playerRow.size(), ' ') + "id=1>" + p.name + "</a></td>");
            for (int i = 1; i <= 15; ++i)
                lines.push_back(i == 7 ? value(p.rebounds) : i == 8 ? value(p.assists) : i == 13 ? value(p.points) : "<td>0</td>");
        }
        lines.push_back(playerRow + ">Totals</td>");
    }
    lines.push_back("</table></html>");
    return lines;
}

inline std::string boxName(long day, long game) {
    return "html\\boxes\\box" + std::to_string(day) + "-" + std::to_string(game) + ".htm";
}

struct PublishingLeague : MemoryLeague {
    LeagueState state;
    std::vector<std::string> scores;

    PublishingLeague() { fs.addFolder(std::string(kLeague) + "/html/boxes"); }

    GameEntry& game(long day, long number, std::string date, std::string t1, std::string s1,
                    std::string t2, std::string s2, std::string flag = "NO") {
        GameEntry& g = state.games.entry(day, number);
        const std::string texts[] = {date, "./boxes/box" + std::to_string(day) + "-" + std::to_string(number) + ".htm",
                                     "1", t1, "rosters/roster1.htm", s1, "2", t2, "rosters/roster2.htm", s2,
                                     "Tom Baker", t1, flag};
        for (int f = GameEntry::GameDate; f <= GameEntry::Top25GameFlag; ++f)
            g.set(static_cast<GameEntry::Field>(f), texts[f]);
        if (state.days.gamesPerDay[day] < number) state.days.gamesPerDay[day] = static_cast<int>(number);
        return g;
    }
    void team(long n, std::string pollRank, std::string logo = "", std::string record = "") {
        TeamProfile& t = state.teams.store(n);
        t.pollRank = pollRank;
        t.logoFile = logo;
        t.teamRecord = record;
    }
    void publish(long lastDay, long dayCount) {
        publishPeriod(league, state, Period{lastDay, dayCount}, [&](std::string_view s) { scores.emplace_back(s); });
    }
    void publishAll(long lastDay, long dayCount, std::string website = "http://w.example/") {
        put("Test.txt", "");
        publish(lastDay, dayCount);
        publishLeaders(league, state, Period{lastDay, dayCount}, website);
    }
};

} // namespace vr::testing
