#include "additions/after_go.h"
#include "additions/archive.h"
#include "additions/archive_links.h"
#include "additions/period_page.h"
#include "additions/periods_page.h"
#include "additions/season_name.h"
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

// Tables of a league whose games are dated in `year`'s November.
struct Tables {
    GameTable games;
    TeamTable teams;
    DayTable days;
    explicit Tables(int year = 2009, long lastSimulated = 255) {
        games.entry(240, 1).set(GameEntry::GameDate, "11/9/" + std::to_string(year));
        days.lastDay = static_cast<int>(lastSimulated);
    }
    LeagueTables view() const { return LeagueTables{games, teams, days}; }
};

// The two files a run leaves, for a period of `days` days ending on `last`
// (dates "11/<day>/2009"), with `games` boxes a day, each linking its box
// score page.
void putRun(MemoryLeague& m, long last, long days, int games, const std::string& year = "2009") {
    std::vector<std::string> board = {"<HTML>", "<body>"};
    for (long d = last - days + 1; d <= last; ++d) {
        board.push_back("<div class=dateheader>11/" + std::to_string(d - 230) + "/" + year + "</div>");
        for (int g = 1; g <= games; ++g)
            board.insert(board.end(), {"", "<div class=boxscore>", "        <div class=logo><img src=./images/a.gif height=40 width=40></div>",
                                       " <div=boxlink><a href=./boxes/box" + std::to_string(d) + "-" +
                                           std::to_string(g) + ".htm>Boxscore</a></div>",
                                       "</div>"});
    }
    board.insert(board.end(), {"</body>", "</html>"});
    m.putLines("html\\scoreboard.html", board);
    m.putLines("~daily.txt", {kEq,
                              "RESULTS FOR THE PERIOD OF: 11/" + std::to_string(last - days + 1 - 230) + "/" + year +
                                  " - 11/" + std::to_string(last - 230) + "/" + year,
                              kEq});
}

std::string htmlFolder() { return testing::leaguePath("html"); }
const std::string kSeason = "html\\seasons\\2009-10\\";

TEST(Archive, KeepsEachPeriodInItsSeasonAndListsItNewestFirst) {
    MemoryLeague m;
    Tables t;
    putRun(m, 249, 1, 12);
    EXPECT_EQ(publishAdditions(m.league, Period{249, 1}, "", t.view()), "");
    EXPECT_EQ(m.get(kSeason + "scoreboard-day249.html"), m.get("html\\scoreboard.html"));
    EXPECT_EQ(m.get(kSeason + "digest-day249.txt"), m.get("~daily.txt"));
    EXPECT_TRUE(m.has(kSeason + "period-day249.html"));
    EXPECT_TRUE(m.has("html\\latest.html"));

    putRun(m, 251, 2, 12);
    EXPECT_EQ(publishAdditions(m.league, Period{251, 2}, "", t.view()), "");
    EXPECT_EQ(m.get(kSeason + "scoreboard-day251.html"), m.get("html\\scoreboard.html"));
    EXPECT_FALSE(m.has("html\\periods.html.new"));
    const std::string& page = m.get("html\\periods.html");
    std::size_t newer = page.find("<div class=\"dates\">11/20/2009 \u2013 11/21/2009</div>"
                                  "<div class=\"facts\">Days 250\u2013251 \u00B7 24 games</div>"
                                  "<a href=\"seasons/2009-10/period-day251.html\">Games</a>"
                                  "<a href=\"seasons/2009-10/scoreboard-day251.html\">Scoreboard</a>"
                                  "<a href=\"seasons/2009-10/digest-day251.txt\">Digest</a>");
    std::size_t older = page.find("<div class=\"dates\">11/19/2009</div><div class=\"facts\">Day 249 \u00B7 12 games");
    ASSERT_NE(newer, std::string::npos) << page;
    ASSERT_NE(older, std::string::npos) << page;
    EXPECT_LT(newer, older);
    EXPECT_NE(page.find("<h1>Marrowdeen</h1>"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"latest.html\">"), std::string::npos);
    EXPECT_NE(m.get(kSeason + "index.html").find("<a href=\"period-day251.html\">Games</a>"), std::string::npos);

    // A new season's same days lie beside the old ones, listed first.
    Tables next(2010);
    putRun(m, 249, 1, 2, "2010");
    EXPECT_EQ(publishAdditions(m.league, Period{249, 1}, "", next.view()), "");
    EXPECT_EQ(m.get("html\\seasons\\2010-11\\scoreboard-day249.html"), m.get("html\\scoreboard.html"));
    EXPECT_NE(m.get(kSeason + "scoreboard-day249.html"), m.get("html\\scoreboard.html"));
    const std::string& both = m.get("html\\periods.html");
    ASSERT_NE(both.find("Season 2010-11"), std::string::npos);
    EXPECT_LT(both.find("Season 2010-11"), both.find("Season 2009-10"));
    EXPECT_NE(m.get("html\\latest.html").find("seasons/2010-11/index.html"), std::string::npos);

    // With the site's web address the posts link the period's archived
    // scoreboard where it lies, in its season.
    EXPECT_EQ(m.get("posts\\forum.txt").find("periods.html"), std::string::npos);
    publishAdditions(m.league, Period{249, 1}, "", next.view(), "https://l.example/h");
    const std::string& forum = m.get("posts\\forum.txt");
    EXPECT_NE(forum.find("Scoreboard: [url]https://l.example/h/seasons/2010-11/scoreboard-day249.html[/url]\r\n"
                         "All periods: [url]https://l.example/h/periods.html[/url]\r\n"),
              std::string::npos)
        << forum;
    EXPECT_NE(m.get("posts\\discord-1.md").find("<https://l.example/h/seasons/2010-11/scoreboard-day249.html>"),
              std::string::npos);
}

TEST(Archive, HoldsOneTimelineAndSaysWhatItReplaced) {
    MemoryLeague m;
    Tables t;
    putRun(m, 251, 3, 1);
    publishAdditions(m.league, Period{251, 3}, "", t.view());
    putRun(m, 253, 2, 1);
    publishAdditions(m.league, Period{253, 2}, "", t.view());
    putRun(m, 240, 1, 1);
    publishAdditions(m.league, Period{240, 1}, "", t.view());
    // The same period again, unchanged, is no news.
    EXPECT_EQ(publishAdditions(m.league, Period{240, 1}, "", t.view()), "");

    // A backup back at day 249, then days 250-251 published again: the
    // period sharing their days and the one past the league's last day go.
    Tables restored(2009, 251);
    putRun(m, 251, 2, 2);
    EXPECT_EQ(publishAdditions(m.league, Period{251, 2}, "", restored.view()),
              "replaced the archived periods 249-251, 252-253");
    EXPECT_FALSE(m.has(kSeason + "scoreboard-day253.html"));
    EXPECT_FALSE(m.has(kSeason + "digest-day253.txt"));
    EXPECT_FALSE(m.has(kSeason + "period-day253.html"));
    EXPECT_TRUE(m.has(kSeason + "scoreboard-day240.html"));
    auto periods = archivedPeriods(m.fs, htmlFolder() + "/seasons/2009-10");
    ASSERT_EQ(periods.size(), 2u);
    EXPECT_EQ(periods[0].lastDay, 251);
    EXPECT_EQ(m.get("html\\periods.html").find("253"), std::string::npos);
    EXPECT_EQ(lastArchivedDay(m.fs, htmlFolder()), 251);

    putRun(m, 252, 2, 2);
    EXPECT_EQ(publishAdditions(m.league, Period{252, 2}, "", t.view()), "replaced the archived period 250-251");
}

TEST(Archive, KeepsCopiesOfTheBoxScoresItsPagesLinkTo) {
    MemoryLeague m;
    Tables t;
    putRun(m, 249, 1, 2);
    m.put("html\\images\\a.gif", "GIF89a");
    m.put("html\\boxes\\box249-1.htm", "<a href='../rosters/roster3.htm'>North</a> <img src=\"../images/b.gif\">");
    m.put("html\\boxes\\box249-2.htm", "<a href=../../outside.htm>x</a><a href=http://x.example/>y</a>");
    m.put("html\\rosters\\roster3.htm", "roster");
    m.put("html\\images\\b.gif", "GIF89b");
    publishAdditions(m.league, Period{249, 1}, "", t.view());
    EXPECT_EQ(m.get(kSeason + "boxes\\box249-1.htm"), m.get("html\\boxes\\box249-1.htm"));
    EXPECT_EQ(m.get(kSeason + "boxes\\box249-2.htm"), m.get("html\\boxes\\box249-2.htm"));
    EXPECT_EQ(m.get(kSeason + "rosters\\roster3.htm"), "roster");
    EXPECT_EQ(m.get(kSeason + "images\\a.gif"), "GIF89a");
    EXPECT_EQ(m.get(kSeason + "images\\b.gif"), "GIF89b");

    // The next season's export rewrites the game's pages: the archived
    // copies stay those of their own games.
    m.put("html\\boxes\\box249-1.htm", "another game");
    Tables next(2010);
    putRun(m, 250, 1, 1, "2010");
    publishAdditions(m.league, Period{250, 1}, "", next.view());
    EXPECT_NE(m.get(kSeason + "boxes\\box249-1.htm"), "another game");
    EXPECT_FALSE(m.has("html\\seasons\\2010-11\\boxes\\box249-1.htm"));
}

TEST(Archive, MovesTheArchiveOfTheHtmlFolderIntoItsSeasons) {
    MemoryLeague m;
    Tables t;
    putRun(m, 249, 1, 1);
    m.put("html\\scoreboard-day249.html", m.get("html\\scoreboard.html"));
    m.put("html\\digest-day249.txt", m.get("~daily.txt"));
    m.put("html\\digest-day7.txt", "no heading: the run's season");
    m.put("html\\scoreboard-day100.html", "<div class=dateheader>3/1/2008</div>\r\n");
    putRun(m, 251, 2, 1);
    publishAdditions(m.league, Period{251, 2}, "", t.view());
    for (const char* gone : {"html\\scoreboard-day249.html", "html\\digest-day249.txt", "html\\digest-day7.txt",
                             "html\\scoreboard-day100.html"})
        EXPECT_FALSE(m.has(gone)) << gone;
    EXPECT_TRUE(m.has(kSeason + "scoreboard-day249.html"));
    EXPECT_TRUE(m.has(kSeason + "digest-day7.txt"));
    EXPECT_EQ(m.get("html\\seasons\\2007-08\\scoreboard-day100.html"), "<div class=dateheader>3/1/2008</div>\r\n");
    EXPECT_NE(m.get("html\\periods.html").find("seasons/2007-08/scoreboard-day100.html"), std::string::npos);
}

TEST(Archive, APeriodPageTakesItsGamesFromTheTables) {
    Tables t;
    t.days.gamesPerDay[250] = 2;
    GameEntry& g = t.games.entry(250, 1);
    g.set(GameEntry::GameDate, "11/20/2009");
    g.set(GameEntry::BoxScoreLink, "./boxes/box250-1.htm");
    g.set(GameEntry::Team1Number, "3");
    g.set(GameEntry::Team1Name, "Pinecrest A&amp;M");
    g.set(GameEntry::Team1Score, "81");
    g.set(GameEntry::Team2Number, "4");
    g.set(GameEntry::Team2Name, "Caf\xE9 State");
    g.set(GameEntry::Team2Score, " 77");
    g.set(GameEntry::PlayerOfTheGame, "J. Smith");
    t.teams.store(3) = TeamProfile{"", "", "", "p.gif", "10-2", " 5 ", "9"};
    t.teams.store(4) = TeamProfile{"", "", "", "c.gif", "3-9", "NR", "80"};
    // Game 2 the schedule did not list; day 251 had none.
    const PeriodPage page = periodPageFor(t.view(), Period{251, 2}, "Marrowdeen", "2009-10", "seasons/2009-10/",
                                          {"images/p.gif", "boxes/box250-1.htm"});
    EXPECT_EQ(page.firstDate, "11/20/2009");
    EXPECT_EQ(page.lastDate, "Day 251");
    ASSERT_EQ(page.days.size(), 2u);
    ASSERT_EQ(page.days[0].games.size(), 1u);
    EXPECT_TRUE(page.days[1].games.empty());
    const PageGame& game = page.days[0].games[0];
    EXPECT_EQ(game.teams[0].name, "Pinecrest A&M");
    EXPECT_EQ(game.teams[1].name, "Caf\u00E9 State");
    EXPECT_EQ(game.teams[0].rank, "5");
    EXPECT_EQ(game.teams[1].rank, "");
    EXPECT_TRUE(game.teams[0].winner && !game.teams[1].winner);
    EXPECT_EQ(game.teams[1].score, "77");
    EXPECT_EQ(game.teams[0].logo, "seasons/2009-10/images/p.gif");
    EXPECT_EQ(game.teams[1].logo, ""); // no copy: no picture that would not open
    EXPECT_EQ(game.boxLink, "seasons/2009-10/boxes/box250-1.htm");
    EXPECT_EQ(page.periodsLink, "periods.html");
    EXPECT_EQ(page.seasonIndexLink, "seasons/2009-10/index.html");
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

TEST(Archive, SeasonsAndLinks) {
    EXPECT_EQ(seasonOfDate("11/14/2009"), "2009-10");
    EXPECT_EQ(seasonOfDate("3/2/2010"), "2009-10");
    EXPECT_EQ(seasonOfDate("7/1/2099"), "2099-00");
    EXPECT_EQ(seasonOfDate("13/1/2009"), "");
    EXPECT_EQ(seasonOfDate("Nov 14"), "");
    EXPECT_EQ(seasonOfDate("11/14/09"), "");
    std::vector<std::string> seasons = {"2009-10", "undated", "2010-11", "2008-09"};
    sortNewestFirst(seasons);
    EXPECT_EQ(seasons, (std::vector<std::string>{"2010-11", "2009-10", "2008-09", "undated"}));

    EXPECT_EQ(localTarget("", "./boxes/box245-3.htm"), "boxes/box245-3.htm");
    EXPECT_EQ(localTarget("boxes", "../rosters/roster7.htm#top"), "rosters/roster7.htm");
    EXPECT_EQ(localTarget("", "boxes\\box1-1.htm"), "boxes/box1-1.htm");
    for (const char* outside : {"../x.htm", "http://x/y.htm", "/etc/passwd", "C:\\x.htm", "javascript:alert(1)", ""})
        EXPECT_EQ(localTarget("", outside), std::nullopt) << outside;
    EXPECT_EQ(linksIn("<a href=./b.htm>x</a><img SRC='i.gif'> <a\nhref=\"q r.htm\">"),
              (std::vector<std::string>{"./b.htm", "i.gif", "q r.htm"}));
}

TEST(Archive, AFailureNamesItsFileAndLeavesNoTemporaryFile) {
    MemoryLeague m;
    Tables t;
    putRun(m, 249, 1, 2);
    m.fs.addFolder(testing::leaguePath(kSeason + "digest-day249.txt"));
    EXPECT_EQ(stopMessage([&] { publishAdditions(m.league, Period{249, 1}, "", t.view()); }),
              "Permission denied: " + kSeason + "digest-day249.txt");
    EXPECT_FALSE(m.has("html\\periods.html"));
    EXPECT_FALSE(m.has(kSeason + "scoreboard-day249.html.new"));
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
    std::vector<PeriodRow> rows = {{251, 3, "Nov 19 <b>", "Nov \"21\" & co", 36, true, true, true},
                                   {248, 0, "", "", 0, false, true, false}};
    std::string page = periodsPage("A&M <League>", {{"2009-10", rows}}, true);
    EXPECT_NE(page.find("<h1>A&amp;M &lt;League&gt;</h1>"), std::string::npos);
    EXPECT_NE(page.find("Nov 19 &lt;b&gt; \u2013 Nov &quot;21&quot; &amp; co"), std::string::npos);
    EXPECT_NE(page.find("<div class=\"dates\">Day 248</div><div class=\"facts\">Day 248</div>"
                        "<a href=\"seasons/2009-10/digest-day248.txt\">Digest</a></li>"),
              std::string::npos);
    EXPECT_NE(page.find("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"),
              std::string::npos);

    PeriodPage games;
    games.league = "A&M <League>";
    games.season = "2009-10";
    games.firstDay = 250;
    games.lastDay = 251;
    games.firstDate = "11/20/2009";
    games.lastDate = "11/21/2009";
    PageGame g;
    g.teams[0] = {"Pinecrest A&M", "5", "10-2", "81", "images/p.gif", true};
    g.teams[1] = {"Lake \"City\" <b>", "", "3-9", "77", "", false};
    g.player = "J. O'Neil";
    g.playerTeam = "Pinecrest";
    g.boxLink = "boxes/box250-1.htm";
    games.days = {{"11/20/2009", {g}}, {"11/21/2009", {}}};
    games.seasonIndexLink = "index.html";
    games.periodsLink = "../../periods.html";
    const std::string phone = periodPageHtml(games);
    EXPECT_NE(phone.find("<title>A&amp;M &lt;League&gt;: 11/20/2009 \u2013 11/21/2009</title>"), std::string::npos);
    EXPECT_NE(phone.find("<tr class=\"won\"><td class=\"logo\"><img src=\"images/p.gif\" alt=\"\" width=\"40\" "
                         "height=\"40\"></td><td class=\"team\"><span class=\"rank\">(5)</span> <span "
                         "class=\"name\">Pinecrest A&amp;M</span><span class=\"record\">10-2</span></td><td "
                         "class=\"score\">81<span class=\"mark\">Won</span></td></tr>"),
              std::string::npos)
        << phone;
    EXPECT_NE(phone.find("Lake &quot;City&quot; &lt;b&gt;"), std::string::npos);
    EXPECT_NE(phone.find("href=\"boxes/box250-1.htm\""), std::string::npos);
    EXPECT_NE(phone.find("href=\"../../periods.html\""), std::string::npos);
    EXPECT_EQ(phone.find("<script"), std::string::npos);
#ifdef _WIN32
    GTEST_SKIP() << "the HTML validator (python3-html5lib) is a Linux program";
#endif
    EXPECT_EQ(validate(page), "");
    EXPECT_EQ(validate(periodsPage("Marrowdeen", {}, false)), "");
    EXPECT_EQ(validate(seasonIndexPage("Marrowdeen", {"2009-10", rows})), "");
    EXPECT_EQ(validate(phone), "");
    EXPECT_NE(validate("<p>no doctype</p>"), "");
}

} // namespace
} // namespace vr
