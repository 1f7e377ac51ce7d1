#include "additions/period_page.h"

#include "additions/addition_files.h"
#include "additions/periods_page.h"
#include "text/numbers.h"

#include <iterator>

namespace vr {
namespace {

// One column for a 360-pixel screen: each game a card whose rows are a
// logo, the name (which wraps) and the score; nothing has a fixed width
// wider than the screen. Colours keep the scoreboard's navy and green, with
// text contrast above 4.5:1.
const char* const kStyle[] = {
    "body{margin:0;padding:12px;font-family:Tahoma,Verdana,Segoe UI,sans-serif;font-size:17px;"
    "line-height:1.4;color:#1a1a1a;background:#eef1f5}",
    "header{margin:0 0 12px;padding:10px 12px;color:#fff;background:#002856;border-bottom:4px solid #00853B}",
    "h1{margin:0;font-size:22px;line-height:1.25;overflow-wrap:anywhere}",
    "header p{margin:4px 0 0}",
    "h2{margin:18px 0 8px;font-size:19px;color:#002856}",
    // Cards side by side where the screen has room, one column on a phone.
    "ol{list-style:none;margin:0;padding:0;display:grid;gap:10px;"
    "grid-template-columns:repeat(auto-fill,minmax(min(100%,21em),1fr))}",
    "li.game{padding:8px 10px;background:#fff;border:1px solid #c8ced6;border-radius:4px}",
    ".season{white-space:nowrap}",
    "table{width:100%;border-collapse:collapse}",
    "td{padding:4px 0;vertical-align:middle}",
    "td.logo{width:44px}",
    "td.logo img{display:block;width:40px;height:40px}",
    "td.team{overflow-wrap:anywhere}",
    "td.score{width:4.5em;text-align:right;font-size:20px;white-space:nowrap}",
    ".record{display:block;font-size:14px;color:#555}",
    ".rank{color:#555}",
    "tr.won .name,tr.won td.score{font-weight:bold}",
    ".mark{margin-left:4px;padding:0 4px;font-size:13px;color:#fff;background:#00853B;border-radius:3px}",
    "p.potg{margin:6px 0 0;overflow-wrap:anywhere}",
    "a{color:#002856}",
    "a.box{display:inline-block;margin-top:6px;padding:6px 12px;color:#fff;background:#002856;"
    "text-decoration:none;border-radius:3px}",
    "nav a{display:inline-block;margin:12px 12px 0 0;padding:6px 0}",
};

std::string dates(const PeriodPage& p) {
    if (p.firstDate.empty() && p.lastDate.empty())
        return p.firstDay == p.lastDay ? "Day " + plainDigits(p.lastDay)
                                       : "Days " + plainDigits(p.firstDay) + "\u2013" + plainDigits(p.lastDay);
    return p.firstDate == p.lastDate ? p.lastDate : p.firstDate + " \u2013 " + p.lastDate;
}

void teamRow(std::vector<std::string>& lines, const PageTeam& t) {
    std::string row = t.winner ? "<tr class=\"won\">" : "<tr>";
    row += "<td class=\"logo\">";
    if (!t.logo.empty()) row += "<img src=\"" + htmlEscape(t.logo) + "\" alt=\"\" width=\"40\" height=\"40\">";
    row += "</td><td class=\"team\">";
    if (!t.rank.empty()) row += "<span class=\"rank\">(" + htmlEscape(t.rank) + ")</span> ";
    row += "<span class=\"name\">" + htmlEscape(t.name) + "</span>";
    if (!t.record.empty()) row += "<span class=\"record\">" + htmlEscape(t.record) + "</span>";
    row += "</td><td class=\"score\">" + htmlEscape(t.score);
    if (t.winner) row += "<span class=\"mark\">Won</span>";
    lines.push_back(row + "</td></tr>");
}

} // namespace

std::string periodPageName(long lastDay) { return "period-day" + plainDigits(lastDay) + ".html"; }

std::string periodPageHtml(const PeriodPage& p) {
    const std::string league = htmlEscape(p.league), when = htmlEscape(dates(p));
    std::vector<std::string> lines = pageHead(league + ": " + when, kStyle, std::size(kStyle));
    lines.insert(lines.end(), {"<header>", "<h1>" + league + "</h1>",
                               "<p>" + when + (p.season.empty() ? "" : " \u00B7 <span class=\"season\">Season " + htmlEscape(p.season) + "</span>") +
                                   "</p>",
                               "</header>", "<main>"});
    if (p.days.empty()) lines.emplace_back("<p>This period has no days.</p>");
    for (const PageDay& day : p.days) {
        lines.push_back("<h2>" + htmlEscape(day.date) + "</h2>");
        if (day.games.empty()) {
            lines.emplace_back("<p>No games.</p>");
            continue;
        }
        lines.emplace_back("<ol>");
        for (const PageGame& g : day.games) {
            lines.emplace_back("<li class=\"game\">");
            // The two teams' names say which game the table holds.
            lines.push_back("<table aria-label=\"" + htmlEscape(g.teams[0].name) + " vs. " +
                            htmlEscape(g.teams[1].name) + "\">");
            teamRow(lines, g.teams[0]);
            teamRow(lines, g.teams[1]);
            lines.emplace_back("</table>");
            if (!g.player.empty())
                lines.push_back("<p class=\"potg\">Player of the game: <strong>" + htmlEscape(g.player) +
                                "</strong>" + (g.playerTeam.empty() ? "" : ", " + htmlEscape(g.playerTeam)) +
                                "</p>");
            if (!g.boxLink.empty())
                lines.push_back("<a class=\"box\" href=\"" + htmlEscape(g.boxLink) + "\" aria-label=\"Box score: " +
                                htmlEscape(g.teams[0].name) + " vs. " + htmlEscape(g.teams[1].name) +
                                "\">Box score</a>");
            lines.emplace_back("</li>");
        }
        lines.emplace_back("</ol>");
    }
    lines.emplace_back("</main>");
    lines.emplace_back("<nav aria-label=\"Archive\">");
    if (!p.seasonIndexLink.empty())
        lines.push_back("<a href=\"" + htmlEscape(p.seasonIndexLink) + "\">Season " + htmlEscape(p.season) +
                        "</a>");
    if (!p.periodsLink.empty()) lines.push_back("<a href=\"" + htmlEscape(p.periodsLink) + "\">All periods</a>");
    lines.insert(lines.end(), {"</nav>", "</body>", "</html>"});
    return crlfLines(lines);
}

} // namespace vr
