// The additions of a whole headless run on generated leagues: the archive
// holds the run's own files, the index page validates, and the posts hold
// every result and leader of the digest, decoded, within Discord's limit.
#include "additions/digest_parts.h"
#include "additions/post_text.h"
#include "testsupport/fixed_clock.h"
#include "app/headless.h"
#include "testsupport/generated_league.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

namespace vr {
namespace {

namespace fs = std::filesystem;

struct RunLeague : testing::GeneratedDrive {
    int status = -1;
    std::string err;
    RunLeague(const std::string& options, const std::vector<std::string>& args) : GeneratedDrive(options) {
        if (!ready() || !error().empty()) return;
        std::ostringstream out, errors;
        status = runHeadless(args, out, errors, hostFileSystem(), drive().string());
        err = errors.str();
    }
    std::vector<std::string> discord() const {
        std::vector<std::string> messages;
        for (int n = 1; fs::exists(file("posts/discord-" + std::to_string(n) + ".md")); ++n)
            messages.push_back(bytes("posts/discord-" + std::to_string(n) + ".md"));
        return messages;
    }
};

void expectPostsHoldTheDigest(const RunLeague& l) {
    const Digest digest = readDigest(l.bytes("~daily.txt"));
    const std::string forum = l.bytes("posts/forum.txt");
    const std::vector<std::string> discord = l.discord();
    ASSERT_FALSE(discord.empty());
    std::string all;
    const std::regex entity("&(#[0-9]+|#x[0-9a-fA-F]+|[a-zA-Z][a-zA-Z0-9]*);");
    for (const std::string& m : discord) {
        EXPECT_LE(chatLength(m), 2000u);
        std::size_t fences = 0;
        for (std::size_t at = m.find("```\r\n"); at != std::string::npos; at = m.find("```\r\n", at + 1)) ++fences;
        EXPECT_EQ(fences % 2, 0u) << m;
        EXPECT_FALSE(std::regex_search(m, entity)) << m;
        all += m;
    }
    EXPECT_FALSE(std::regex_search(forum, entity));
    std::size_t results = 0;
    for (const DigestDay& day : digest.days)
        for (const std::string& r : day.results) {
            ++results;
            EXPECT_NE(forum.find(r + "\r\n"), std::string::npos) << r;
            // Discord escapes markup; the team names here hold none but '>'.
            EXPECT_NE(all.find(r + "\r\n"), std::string::npos) << r;
        }
    EXPECT_GT(results, 0u);
    for (const DigestLeaderList& list : digest.leaders)
        for (const DigestLeader& e : list.entries) {
            EXPECT_NE(forum.find(e.value + "  " + e.label + "\r\n"), std::string::npos) << e.label;
            EXPECT_NE(all.find(e.value + "  " + e.label + "\r\n"), std::string::npos) << e.label;
        }
}

TEST(AdditionsLeague, ArchiveIndexAndPostsOfAHeadlessRun) {
    RunLeague l("--preset demo --odd-names", {"--run"});
    if (!l.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(l.error(), "");
    ASSERT_EQ(l.status, 0) << l.err;
    const long last = std::stol(l.manifest().league.at("last_simulated_day"));
    const std::string day = std::to_string(last), season = "html/seasons/2009-10/";
    EXPECT_EQ(l.bytes(season + "scoreboard-day" + day + ".html"), l.bytes("html/scoreboard.html"));
    EXPECT_EQ(l.bytes(season + "digest-day" + day + ".txt"), l.bytes("~daily.txt"));
    // The newest period's page, its links led from the html folder.
    std::string latest = std::regex_replace(l.bytes("html/latest.html"), std::regex("seasons/2009-10/"), "");
    latest = std::regex_replace(latest, std::regex("href=\"periods.html\""), "href=\"../../periods.html\"");
    EXPECT_EQ(l.bytes(season + "period-day" + day + ".html"), latest);
    const std::string page = l.bytes("html/periods.html");
    EXPECT_NE(page.find("<a href=\"seasons/2009-10/period-day" + day + ".html\">Games</a><a href=\"seasons/2009-10/"
                        "scoreboard-day" + day + ".html\">Scoreboard</a><a href=\"seasons/2009-10/digest-day" + day +
                        ".txt\">Digest</a>"),
              std::string::npos);
#ifndef _WIN32
    // The validator is a Linux program; the Windows build's page is the same
    // bytes (the end-to-end check under Wine compares the league folders).
    for (const std::string& file : {std::string("html/periods.html"), std::string("html/latest.html"),
                                    season + "index.html", season + "period-day" + day + ".html"}) {
        const std::string check = "/usr/bin/python3 -c \"import html5lib,sys; html5lib.HTMLParser(strict=True)"
                                  ".parse(open(sys.argv[1],'rb'))\" '" + l.file(file).string() + "'";
        EXPECT_EQ(std::system(check.c_str()), 0) << file;
    }
#endif
    // The odd names' entities, decoded.
    EXPECT_NE(l.bytes("posts/forum.txt").find("A&M"), std::string::npos);
    expectPostsHoldTheDigest(l);
}

// The box score links of every archived scoreboard of a season, each with
// the game's two team names from the season's manifest.
void expectBoxLinksOpenTheirGames(const RunLeague& l, const std::string& season, const testing::Manifest& m) {
    const fs::path folder = l.file("html/seasons/" + season);
    const std::regex link("<a href=\\./boxes/box([0-9]+)-([0-9]+)\\.htm>Boxscore</a>");
    std::size_t links = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("scoreboard-day", 0) != 0) continue;
        const std::string board = testing::readBytes(entry.path());
        for (std::sregex_iterator it(board.begin(), board.end(), link), end; it != end; ++it, ++links) {
            const testing::Manifest::Game* game = m.game(std::stol((*it)[1]), std::stol((*it)[2]));
            ASSERT_NE(game, nullptr) << it->str();
            const fs::path box = folder / "boxes" / ("box" + (*it)[1].str() + "-" + (*it)[2].str() + ".htm");
            ASSERT_TRUE(fs::exists(box)) << box;
            const std::string page = testing::readBytes(box);
            EXPECT_NE(page.find(game->name1), std::string::npos) << season << " " << it->str();
            EXPECT_NE(page.find(game->name2), std::string::npos) << season << " " << it->str();
        }
    }
    EXPECT_GT(links, 0u) << season;
}

TEST(AdditionsLeague, TwoSeasonsKeepTheirOwnBoxScoresAndARestoredBackupOneTimeline) {
    RunLeague l("--preset demo --odd-names", {"--run", "--last-day", "248"});
    if (!l.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(l.error(), "");
    ASSERT_EQ(l.status, 0) << l.err;
    auto run = [&](const std::vector<std::string>& args) {
        std::ostringstream out, err;
        EXPECT_EQ(runHeadless(args, out, err, hostFileSystem(), l.drive().string()), 0) << err.str();
        return out.str();
    };
    run({"--run"});
    const testing::Manifest first = l.manifest();

    // The next season over the first: the game rewrites its box score pages.
    ASSERT_TRUE(l.layOver("--preset demo --season 2010 --last-simulated-day 253"));
    run({"--run", "--last-day", "251"});
    run({"--run", "--last-day", "253", "--days", "2"});
    const std::string page = l.bytes("html/periods.html");
    ASSERT_NE(page.find("Season 2010-11"), std::string::npos);
    ASSERT_NE(page.find("Season 2009-10"), std::string::npos);
    EXPECT_LT(page.find("Season 2010-11"), page.find("Season 2009-10"));
    EXPECT_NE(page.find("seasons/2009-10/scoreboard-day248.html"), std::string::npos);
    EXPECT_NE(page.find("seasons/2010-11/scoreboard-day253.html"), std::string::npos);
    expectBoxLinksOpenTheirGames(l, "2009-10", first);
    expectBoxLinksOpenTheirGames(l, "2010-11", l.manifest());

    // A backup back at day 250, simulated again to 251 otherwise: the
    // archive keeps one timeline and the run says what it replaced.
    ASSERT_TRUE(l.layOver("--preset demo --season 2010 --seed 77 --last-simulated-day 251"));
    EXPECT_NE(run({"--run"}).find("\nreplaced the archived periods 249-251, 252-253\n"), std::string::npos);
    const std::string after = l.bytes("html/periods.html");
    EXPECT_EQ(after.find("scoreboard-day253"), std::string::npos);
    EXPECT_FALSE(fs::exists(l.file("html/seasons/2010-11/digest-day253.txt")));
    EXPECT_NE(after.find("seasons/2009-10/scoreboard-day251.html"), std::string::npos);
    expectBoxLinksOpenTheirGames(l, "2010-11", l.manifest());
}

TEST(AdditionsLeague, ALongPeriodSplitsIntoSeveralMessages) {
    RunLeague l("--preset demo --all-edge-cases", {"--run", "--days", "12"});
    if (!l.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(l.error(), "");
    ASSERT_EQ(l.status, 0) << l.err;
    EXPECT_GT(l.discord().size(), 1u);
    expectPostsHoldTheDigest(l);

    // A shorter period next: the messages it no longer needs are removed.
    std::ostringstream out, err;
    ASSERT_EQ(runHeadless({"--run", "--days", "1"}, out, err, hostFileSystem(), l.drive().string()), 0);
    EXPECT_EQ(l.discord().size(), 1u);
    EXPECT_FALSE(fs::exists(l.file("posts/discord-2.md")));
}

} // namespace
} // namespace vr

namespace vr {
namespace {

using testing::FixedClock;

struct TimedRun {
    std::ostringstream out, err;
    FixedClock clock;
    int status;
    TimedRun(const testing::GeneratedDrive& l, const std::vector<std::string>& args)
        : status(runHeadless(args, out, err, hostFileSystem(), l.drive().string(), &clock)) {}
};

// --since-last publishes what the last publication left, as the watch does,
// and nothing once it is published.
TEST(HeadlessRun, SinceLastPublishesTheDaysSinceTheLastPublication) {
    testing::GeneratedDrive l("--preset demo --last-simulated-day 251");
    if (!l.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(l.error(), "");
    TimedRun first(l, {"--run", "--last-day", "248", "--days", "2", "--no-index"});
    ASSERT_EQ(first.status, 0) << first.err.str();
    EXPECT_EQ(first.err.str(), "2009-11-20 06:31:12 published days 247-248: 24 games\n");
    TimedRun since(l, {"--run", "--since-last", "--no-index"});
    ASSERT_EQ(since.status, 0) << since.err.str();
    EXPECT_EQ(since.err.str(), "2009-11-20 06:31:12 published days 249-251: 36 games\n");
    EXPECT_NE(since.out.str().find(", "), std::string::npos); // the score list, once it went through
    TimedRun again(l, {"--run", "--since-last", "--no-index"});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.err.str(),
              "2009-11-20 06:31:12 Nothing was published: day 251, the last simulated, was published already.\n");
}

// The window's Message is for the window's run: an unattended run posts one
// only when given --message, and leaves the window's for the window.
TEST(HeadlessRun, PostsCarryTheMessageOnlyWhenGivenOne) {
    testing::GeneratedDrive l("--preset demo --last-simulated-day 249");
    if (!l.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(l.error(), "");
    std::ofstream(l.file("settings2.txt"), std::ios::binary) << "http://league.example/\r\nTyped weeks ago\r\n";
    TimedRun plain(l, {"--run", "--no-index"});
    ASSERT_EQ(plain.status, 0) << plain.err.str();
    EXPECT_EQ(l.bytes("posts/forum.txt").find("Typed weeks ago"), std::string::npos);
    EXPECT_EQ(l.bytes("settings2.txt"), "http://league.example/\r\nTyped weeks ago\r\n");
    TimedRun given(l, {"--run", "--no-index", "--message", "Conference play starts"});
    ASSERT_EQ(given.status, 0) << given.err.str();
    EXPECT_NE(l.bytes("posts/forum.txt").find("Conference play starts"), std::string::npos);
}

// Another league than the default: chosen by name, or the one league there.
TEST(HeadlessRun, PublishesALeagueNamedOtherwise) {
    testing::GeneratedDrive l("--preset demo --last-simulated-day 249");
    if (!l.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(l.error(), "");
    const fs::path east = l.file("").parent_path() / "Eastfield";
    fs::rename(l.file(""), east);
    TimedRun alone(l, {"--run", "--no-index"});
    ASSERT_EQ(alone.status, 0) << alone.err.str();
    EXPECT_TRUE(fs::exists(east / "html" / "scoreboard.html"));

    fs::create_directories(east.parent_path() / "Westmoor");
    TimedRun several(l, {"--run", "--no-index"});
    EXPECT_EQ(several.status, 1);
    EXPECT_NE(several.err.str().find("the game keeps the leagues Eastfield and Westmoor in leaguedata"),
              std::string::npos)
        << several.err.str();
    fs::remove(east / "Test.txt");
    TimedRun chosen(l, {"--run", "--no-index", "--league", "Eastfield"});
    ASSERT_EQ(chosen.status, 0) << chosen.err.str();
    EXPECT_TRUE(fs::exists(east / "Test.txt"));
    EXPECT_EQ(chosen.err.str(), "2009-11-20 06:31:12 published days 247-249 of Eastfield: 36 games\n");

    // A name beyond ASCII, as the command line gives it (UTF-8 on every
    // host), finds its folder and shows as it is in the summary line and
    // the pages' titles.
    const std::string ebene = "Ligue \xC3\x89" "b\xC3\xA8" "ne";
    const fs::path accented = east.parent_path() / fs::path(u8"Ligue \u00c9b\u00e8ne");
    fs::rename(east, accented);
    TimedRun named(l, {"--run", "--no-index", "--league", ebene});
    ASSERT_EQ(named.status, 0) << named.err.str();
    EXPECT_EQ(named.err.str(), "2009-11-20 06:31:12 published days 247-249 of " + ebene + ": 36 games\n");
    std::size_t titled = 0;
    for (const auto& e : fs::recursive_directory_iterator(accented / "html"))
        if (e.path().extension() == ".html" && testing::readBytes(e.path()).find("<title>" + ebene) != std::string::npos) ++titled;
    EXPECT_GT(titled, 0u);
}

} // namespace
} // namespace vr
