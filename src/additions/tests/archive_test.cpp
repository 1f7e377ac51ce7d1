#include "additions/after_go.h"
#include "additions/archive.h"
#include "additions/periods_page.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace vr {
namespace {

using testing::crlf;
using testing::MemoryLeague;
using testing::stopMessage;

const std::string kEq(52, '=');

// The two files a run leaves, for a period of `days` days ending on `last`
// (dates "Nov <day>"), with `games` boxes a day.
void putRun(MemoryLeague& m, long last, long days, int games) {
    std::vector<std::string> board = {"<HTML>", "<body>"};
    for (long d = last - days + 1; d <= last; ++d) {
        board.push_back("<div class=dateheader>Nov " + std::to_string(d - 230) + "</div>");
        for (int g = 0; g < games; ++g) board.insert(board.end(), {"", "<div class=boxscore>", "</div>"});
    }
    board.insert(board.end(), {"</body>", "</html>"});
    m.putLines("html\\scoreboard.html", board);
    m.putLines("~daily.txt", {kEq,
                              "RESULTS FOR THE PERIOD OF: Nov " + std::to_string(last - days + 1 - 230) +
                                  " - Nov " + std::to_string(last - 230),
                              kEq});
}

std::string htmlFolder() { return testing::leaguePath("html"); }

TEST(Archive, KeepsEachPeriodAndListsItNewestFirst) {
    MemoryLeague m;
    putRun(m, 249, 1, 12);
    publishAdditions(m.league, Period{249, 1}, "");
    EXPECT_EQ(m.get("html\\scoreboard-day249.html"), m.get("html\\scoreboard.html"));
    EXPECT_EQ(m.get("html\\digest-day249.txt"), m.get("~daily.txt"));

    putRun(m, 251, 2, 12);
    publishAdditions(m.league, Period{251, 2}, "");
    EXPECT_EQ(m.get("html\\scoreboard-day251.html"), m.get("html\\scoreboard.html"));
    EXPECT_FALSE(m.has("html\\periods.html.tmp"));
    const std::string& page = m.get("html\\periods.html");
    std::size_t newer = page.find("<div class=\"dates\">Nov 20 \u2013 Nov 21</div>"
                                  "<div class=\"facts\">Days 250\u2013251 \u00B7 24 games</div>"
                                  "<a href=\"scoreboard-day251.html\">Scoreboard</a>"
                                  "<a href=\"digest-day251.txt\">Digest</a>");
    std::size_t older = page.find("<div class=\"dates\">Nov 19</div><div class=\"facts\">Day 249 \u00B7 12 games");
    ASSERT_NE(newer, std::string::npos) << page;
    ASSERT_NE(older, std::string::npos) << page;
    EXPECT_LT(newer, older);
    EXPECT_NE(page.find("<h1>Marrowdeen</h1>"), std::string::npos);

    // The same last day again replaces that period; a period whose two
    // files are deleted leaves the index.
    putRun(m, 251, 3, 1);
    m.fs.removeFile(testing::leaguePath("html/scoreboard-day249.html"));
    m.fs.removeFile(testing::leaguePath("html/digest-day249.txt"));
    publishAdditions(m.league, Period{251, 3}, "");
    EXPECT_EQ(m.get("html\\scoreboard-day251.html"), m.get("html\\scoreboard.html"));
    EXPECT_EQ(archivedPeriods(m.fs, htmlFolder()).size(), 1u);
    EXPECT_EQ(m.get("html\\periods.html").find("Day 249"), std::string::npos);
    EXPECT_NE(m.get("html\\periods.html").find("Days 249\u2013251 \u00B7 3 games"), std::string::npos);
}

TEST(Archive, KnowsOnlyItsOwnNames) {
    MemoryLeague m;
    for (const char* name : {"scoreboard-day7.html", "digest-day12.txt", "scoreboard-day012.html",
                             "scoreboard-day.html", "digest-day9.txt.tmp", "scoreboard-dayx.html"})
        m.put(std::string("html\\") + name, "");
    auto periods = archivedPeriods(m.fs, htmlFolder());
    ASSERT_EQ(periods.size(), 2u);
    EXPECT_EQ(periods[0].lastDay, 12);
    EXPECT_TRUE(periods[0].hasDigest && !periods[0].hasScoreboard);
    EXPECT_EQ(periods[1].lastDay, 7);
    EXPECT_EQ(lastArchivedDay(m.fs, htmlFolder()), 12);
    MemoryLeague empty;
    EXPECT_EQ(lastArchivedDay(empty.fs, htmlFolder()), std::nullopt);
}

TEST(Archive, AFailureNamesItsFileAndLeavesNoTemporaryFile) {
    MemoryLeague m;
    putRun(m, 249, 1, 2);
    m.fs.addFolder(testing::leaguePath("html/digest-day249.txt"));
    EXPECT_EQ(stopMessage([&] { publishAdditions(m.league, Period{249, 1}, ""); }),
              "Permission denied: html\\digest-day249.txt");

    MemoryLeague full;
    putRun(full, 249, 1, 2);
    full.fs.setCapacity(full.get("html\\scoreboard.html").size() * 2 + full.get("~daily.txt").size() * 2 + 100);
    EXPECT_EQ(stopMessage([&] { publishAdditions(full.league, Period{249, 1}, ""); }),
              "Device I/O error: html\\periods.html");
    EXPECT_FALSE(full.has("html\\periods.html.tmp"));
    EXPECT_FALSE(full.has("html\\periods.html"));
}

// html5lib's strict parser: a parse error is a failed check. The one the
// system installs (scripts/install-deps.sh).
std::string validate(const std::string& page) {
    const auto file = std::filesystem::temp_directory_path() / ("vr-periods-" + std::to_string(::getpid()) + ".html");
    std::ofstream(file, std::ios::binary) << page;
    const std::string command =
        "/usr/bin/python3 -c \"import html5lib,sys; html5lib.HTMLParser(strict=True).parse(open(sys.argv[1],'rb'))\" " +
        file.string() + " 2>&1";
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
        if (pclose(p) != 0 && out.empty()) out = "validator failed";
    }
    std::filesystem::remove(file);
    return out;
}

TEST(PeriodsPage, IsValidHtmlWithItsNamesEscaped) {
    std::vector<PeriodRow> rows = {{251, 3, "Nov 19 <b>", "Nov \"21\" & co", 36, true, true},
                                   {248, 0, "", "", 0, false, true}};
    std::string page = periodsPage("A&M <League>", rows);
    EXPECT_NE(page.find("<h1>A&amp;M &lt;League&gt;</h1>"), std::string::npos);
    EXPECT_NE(page.find("Nov 19 &lt;b&gt; \u2013 Nov &quot;21&quot; &amp; co"), std::string::npos);
    EXPECT_NE(page.find("<div class=\"dates\">Day 248</div><div class=\"facts\">Day 248</div>"
                        "<a href=\"digest-day248.txt\">Digest</a></li>"),
              std::string::npos);
    EXPECT_NE(page.find("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"),
              std::string::npos);
#ifdef _WIN32
    GTEST_SKIP() << "the HTML validator (python3-html5lib) is a Linux program";
#endif
    EXPECT_EQ(validate(page), "");
    EXPECT_EQ(validate(periodsPage("Marrowdeen", {})), "");
    EXPECT_NE(validate("<p>no doctype</p>"), "");
}

} // namespace
} // namespace vr
