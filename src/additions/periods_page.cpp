#include "additions/periods_page.h"

#include "additions/addition_files.h"
#include "additions/period_page.h"
#include "text/numbers.h"

#include <iterator>

namespace vr {
namespace {

// Sized for a 360-pixel screen first: one column, type of 17 px, nothing
// wider than the screen (long dates wrap), links big enough for a thumb.
const char* const kStyle[] = {
    "body{margin:0;padding:12px;font-family:Tahoma,Verdana,Segoe UI,sans-serif;font-size:17px;"
    "line-height:1.45;color:#1a1a1a;background:#eef1f5}",
    "h1{margin:0 0 4px;padding:10px 12px;font-size:24px;line-height:1.2;color:#fff;background:#002856;"
    "border-bottom:4px solid #00853B;overflow-wrap:anywhere}",
    "h2{margin:18px 0 8px;font-size:19px}",
    "p{margin:8px 0 12px}",
    "ol{list-style:none;margin:0;padding:0;max-width:40em}",
    "li{margin:0 0 10px;padding:10px 12px;background:#fff;border:1px solid #c8ced6;border-radius:4px}",
    ".dates{font-weight:bold;color:#002856;overflow-wrap:anywhere}",
    ".facts{color:#555}",
    "a.season{display:inline;margin:0;padding:0;color:#002856;background:none;text-decoration:underline}",
    "a{display:inline-block;margin:8px 12px 0 0;padding:6px 12px;color:#fff;background:#00853B;"
    "text-decoration:none;border-radius:3px}",
};

std::string plural(long n, const char* one, const char* many) {
    return plainDigits(n) + " " + (n == 1 ? one : many);
}

} // namespace

std::string scoreboardArchiveName(long lastDay) { return "scoreboard-day" + plainDigits(lastDay) + ".html"; }
std::string digestArchiveName(long lastDay) { return "digest-day" + plainDigits(lastDay) + ".txt"; }

std::string htmlEscape(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::vector<std::string> pageHead(const std::string& title, const char* const* rules, std::size_t count) {
    std::vector<std::string> lines = {
        "<!DOCTYPE html>",
        "<html lang=\"en\">",
        "<head>",
        "<meta charset=\"utf-8\">",
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
        "<title>" + title + "</title>",
        "<style>",
    };
    lines.insert(lines.end(), rules, rules + count);
    lines.insert(lines.end(), {"</style>", "</head>", "<body>"});
    return lines;
}

namespace {

std::vector<std::string> indexHead(const std::string& title) {
    return pageHead(title, kStyle, std::size(kStyle));
}

// The periods of a season as a list, their links led by `prefix` (the
// season's folder as seen from the page).
void periodList(std::vector<std::string>& lines, const std::vector<PeriodRow>& rows, const std::string& prefix) {
    lines.emplace_back("<ol>");
    for (const PeriodRow& r : rows) {
        std::string dates = r.firstDate == r.lastDate ? r.lastDate : r.firstDate + " \u2013 " + r.lastDate;
        if (dates.empty()) dates = "Day " + plainDigits(r.lastDay);
        std::string facts = r.dayCount > 1 ? "Days " + plainDigits(r.lastDay - r.dayCount + 1) + "\u2013" +
                                                 plainDigits(r.lastDay)
                                           : "Day " + plainDigits(r.lastDay);
        if (r.hasScoreboard) facts += " \u00B7 " + plural(r.games, "game", "games");
        std::string line =
            "<li><div class=\"dates\">" + htmlEscape(dates) + "</div><div class=\"facts\">" + facts + "</div>";
        if (r.hasPeriodPage) line += "<a href=\"" + prefix + periodPageName(r.lastDay) + "\">Games</a>";
        if (r.hasScoreboard) line += "<a href=\"" + prefix + scoreboardArchiveName(r.lastDay) + "\">Scoreboard</a>";
        if (r.hasDigest) line += "<a href=\"" + prefix + digestArchiveName(r.lastDay) + "\">Digest</a>";
        lines.push_back(line + "</li>");
    }
    lines.emplace_back("</ol>");
}

} // namespace

std::string periodsPage(std::string_view title, const std::vector<SeasonRows>& seasons, bool latest) {
    const std::string name = htmlEscape(title);
    std::vector<std::string> lines = indexHead(name + ": periods of the seasons");
    lines.push_back("<h1>" + name + "</h1>");
    if (seasons.empty()) {
        lines.emplace_back("<p>No period has been published yet.</p>");
    } else {
        lines.emplace_back("<p>The seasons and their periods, newest first.</p>");
        if (latest) lines.emplace_back("<p><a href=\"latest.html\">Latest games</a></p>");
        for (const SeasonRows& s : seasons) {
            const std::string folder = "seasons/" + htmlEscape(s.season) + "/";
            lines.push_back("<h2><a class=\"season\" href=\"" + folder + "index.html\">Season " +
                            htmlEscape(s.season) + "</a></h2>");
            periodList(lines, s.rows, folder);
        }
    }
    lines.insert(lines.end(), {"</body>", "</html>"});
    return crlfLines(lines);
}

std::string seasonIndexPage(std::string_view title, const SeasonRows& season) {
    const std::string name = htmlEscape(title), what = "Season " + htmlEscape(season.season);
    std::vector<std::string> lines = indexHead(name + ": " + what);
    lines.push_back("<h1>" + name + "</h1>");
    lines.push_back("<h2>" + what + "</h2>");
    if (season.rows.empty())
        lines.emplace_back("<p>No period of this season is archived.</p>");
    else
        periodList(lines, season.rows, "");
    lines.emplace_back("<p><a class=\"season\" href=\"../../periods.html\">All seasons</a></p>");
    lines.insert(lines.end(), {"</body>", "</html>"});
    return crlfLines(lines);
}

} // namespace vr
