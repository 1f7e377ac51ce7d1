// html\periods.html, the seasons of the archive with their periods, and each
// season's own index.html: newest first, plain pages a phone reads without
// zooming (HTML5, UTF-8, no script).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vr {

struct PeriodRow {
    long lastDay = 0;
    long dayCount = 0;          // 0 when its scoreboard is gone
    std::string firstDate, lastDate; // UTF-8
    long games = 0;
    bool hasScoreboard = false, hasDigest = false, hasPeriodPage = false;
};

struct SeasonRows {
    std::string season;
    std::vector<PeriodRow> rows; // newest first
};

std::string scoreboardArchiveName(long lastDay); // "scoreboard-day249.html"
std::string digestArchiveName(long lastDay);     // "digest-day249.txt"

// html\periods.html's bytes, lines ended with CR LF; `title` is UTF-8.
// The seasons come newest first; `latest` links the newest period's page
// when there is one.
std::string periodsPage(std::string_view title, const std::vector<SeasonRows>& seasons, bool latest);
// A season's index.html, in its folder html\seasons\<season>.
std::string seasonIndexPage(std::string_view title, const SeasonRows& season);

// The first lines of the program's own pages, up to "<body>": HTML5 in
// UTF-8 with a viewport, `title` (escaped already) and the style rules.
std::vector<std::string> pageHead(const std::string& title, const char* const* rules, std::size_t count);

// Text made safe inside an element or a quoted attribute.
std::string htmlEscape(std::string_view utf8);

} // namespace vr
