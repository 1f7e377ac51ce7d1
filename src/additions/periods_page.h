// html\periods.html: the season's archived periods, newest first, as a
// plain page a phone reads without zooming (HTML5, UTF-8, no script).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vr {

struct PeriodRow {
    long lastDay = 0;
    long dayCount = 0;          // 0 when its scoreboard is gone
    std::string firstDate, lastDate; // UTF-8
    long games = 0;
    bool hasScoreboard = false, hasDigest = false;
};

std::string scoreboardArchiveName(long lastDay); // "scoreboard-day249.html"
std::string digestArchiveName(long lastDay);     // "digest-day249.txt"

// The page's bytes, lines ended with CR LF; `title` is UTF-8.
std::string periodsPage(std::string_view title, const std::vector<PeriodRow>& rows);

// Text made safe inside an element or a quoted attribute.
std::string htmlEscape(std::string_view utf8);

} // namespace vr
