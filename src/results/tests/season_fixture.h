// A memory league for reading the season: builds schedule pages from game
// rows, play-by-play files and team profiles, and runs the reader with its
// three output files as the GO! run opens them.
#pragma once

#include "results/season_reader.h"
#include "testsupport/memory_league.h"

#include <string>
#include <vector>

namespace vr::season {

using testing::kLeague;
using testing::stopMessage;

inline constexpr const char* kPage = "html\\leagueschedule.htm";
inline const std::string kHeader = "       <td class=header width=75>&nbsp;Date</td>";
inline const std::string kEndLine = "       <td class=main></font></td>";
inline const std::string kRule(120, '=');

// Three lines of markup, the header line (4) and five more (5 to 9): the
// first group starts at line 10.
inline constexpr long kFirstRowLine = 10;

inline std::string dateCell(const std::string& date) {
    return "       <td class=main>&nbsp;" + date + "</font></td>";
}
inline std::string teamCell(const std::string& rosterLink, const std::string& name) {
    return "       <td class=main align=left>&nbsp;<a href='" + rosterLink + "'>" + name +
           "</a></font></td>";
}
inline std::string teamCell(long team, const std::string& name) {
    return teamCell("rosters/roster" + std::to_string(team) + ".htm", name);
}
inline std::string resultCell(const std::string& link, const std::string& result) {
    return "       <td class=main><a href=" + link + ">" + result + "</a></font></td>";
}
inline std::string boxLink(long day, long game) {
    return "./boxes/box" + std::to_string(day) + "-" + std::to_string(game) + ".htm";
}

struct Row {
    std::string date;
    std::string team1;
    std::string team2;
    std::string result;

    std::vector<std::string> lines() const { return {"   <tr>", date, team1, team2, result, "   </tr>"}; }
};

// A played game between teams t1 and t2 (named "Team <n>").
inline Row game(long day, long number, long t1, long t2, const std::string& score = "70-60",
                const std::string& date = "11/14/2009") {
    return Row{dateCell(date), teamCell(t1, "Team " + std::to_string(t1)),
               teamCell(t2, "Team " + std::to_string(t2)), resultCell(boxLink(day, number), score)};
}

// The worked example: game 3 of day 245, North Ridge (12) 78, Lake City (7) 65.
inline Row exampleRow() {
    return Row{"       <td class=main>&nbsp;11/14/2009</font></td>",
               "       <td class=main align=left>&nbsp;<a href='rosters/roster12.htm'>North Ridge</a></font></td>",
               "       <td class=main align=left>&nbsp;<a href='rosters/roster7.htm'>Lake City</a></font></td>",
               "       <td class=main><a href=./boxes/box245-3.htm>78-65</a></font></td>"};
}

// The first game without a result: its row's first five lines, then more.
inline std::vector<std::string> unplayedRow() {
    return {"   <tr>", dateCell("11/20/2009"), teamCell(1, "Team 1"), teamCell(2, "Team 2"), kEndLine,
            "   </tr>", "</table>", "</body>", "</html>"};
}

// A group of 11 lines starting "   </tr>", and one whose second line is
// "</table>"; both hold lines a game-row cut would fail on.
inline std::vector<std::string> closingGroup() {
    std::vector<std::string> g{"   </tr>"};
    for (int i = 0; i < 10; ++i) g.push_back("<td>no row " + std::to_string(i) + "</td>");
    return g;
}
// The page's last group, its last line closing the page.
inline std::vector<std::string> pageClose() {
    std::vector<std::string> g = closingGroup();
    g.back() = "</body></html>";
    return g;
}
inline std::vector<std::string> tableEndGroup() {
    std::vector<std::string> g{"<p>Week 2</p>", "</table>"};
    for (int i = 0; i < 9; ++i) g.push_back(i == 4 ? kEndLine : "<tr><td>x</td></tr>");
    return g;
}

struct SeasonLeague {
    testing::MemoryLeague m;
    TeamTable teams;
    GameTable games;

    SeasonLeague() { m.fs.addFolder(std::string(kLeague) + "/pbp"); }

    void team(long n, const std::string& pollRank, const std::string& rpiRank) {
        TeamProfile& p = teams.store(n);
        p.teamName = "Team " + std::to_string(n);
        p.pollRank = pollRank;
        p.rpiRank = rpiRank;
    }

    // The page: markup, the header, five lines, then `body` as given.
    void page(const std::vector<std::string>& body) {
        std::vector<std::string> lines{"<html>", "<body>", "<table class=schedule>", kHeader,
                                       "   <tr>", "       <td class=header>&nbsp;Home</td>",
                                       "       <td class=header>&nbsp;Away</td>",
                                       "       <td class=header>&nbsp;Result</td>", "   </tr>"};
        lines.insert(lines.end(), body.begin(), body.end());
        m.putLines(kPage, lines);
    }
    // Played rows, then the first unplayed one.
    void schedule(const std::vector<Row>& rows) {
        std::vector<std::string> body;
        for (const Row& r : rows) {
            auto l = r.lines();
            body.insert(body.end(), l.begin(), l.end());
        }
        auto end = unplayedRow();
        body.insert(body.end(), end.begin(), end.end());
        page(body);
    }

    void pbp(long day, long number, const std::vector<std::string>& lines) {
        m.putLines("pbp\\" + std::to_string(day) + "-" + std::to_string(number) + ".txt", lines);
    }
    void pbp(long day, long number, const std::string& labelLine) {
        pbp(day, number, {"Tip-off won by Team 1", "0:12 Jump shot made", labelLine, "End of game"});
    }

    // As the GO! run does: Upsets.txt, TopResults.txt, Test.txt opened for
    // output, the season read, the three closed.
    void run() {
        auto upsets = m.league.openOutput("Upsets.txt");
        auto topResults = m.league.openOutput("TopResults.txt");
        auto test = m.league.openOutput("Test.txt");
        readSeason(m.league, teams, games, SeasonFiles{*test, *topResults, *upsets});
        test->close();
        topResults->close();
        upsets->close();
    }
    std::string runStop() {
        return stopMessage([&] { run(); });
    }
    // The stop's kind and place, without what it says was expected.
    std::string runStopPlace() {
        return testing::stopPlace([&] { run(); });
    }

    std::vector<std::string> test() const { return m.lines("Test.txt"); }
    std::vector<std::string> topResults() const { return m.lines("TopResults.txt"); }
    std::vector<std::string> upsets() const { return m.lines("Upsets.txt"); }
    // Line k (1..20) of record r (0-based) in Test.txt.
    std::string record(std::size_t r, std::size_t k) const {
        auto t = test();
        std::size_t i = r * 20 + k - 1;
        return i < t.size() ? t[i] : "<missing>";
    }
    std::size_t records() const { return test().size() / 20; }
};

// Line numbers of the cells of the n-th group (0-based) when every group
// before it is a 6-line game row.
inline long rowLine(long n) { return kFirstRowLine + 6 * n; }
inline long dateLine(long n) { return rowLine(n) + 1; }
inline long team1Line(long n) { return rowLine(n) + 2; }
inline long team2Line(long n) { return rowLine(n) + 3; }
inline long resultLine(long n) { return rowLine(n) + 4; }

inline std::string pageStop(const std::string& kind, long line) {
    return kind + ": " + kPage + ", line " + std::to_string(line);
}

} // namespace vr::season
