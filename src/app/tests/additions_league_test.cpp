// The additions of a whole headless run on generated leagues: the archive
// holds the run's own files, the index page validates, and the posts hold
// every result and leader of the digest, decoded, within Discord's limit.
#include "additions/digest_parts.h"
#include "additions/post_text.h"
#include "app/headless.h"
#include "testsupport/generated_league.h"

#include <gtest/gtest.h>

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
    const std::string day = std::to_string(last);
    EXPECT_EQ(l.bytes("html/scoreboard-day" + day + ".html"), l.bytes("html/scoreboard.html"));
    EXPECT_EQ(l.bytes("html/digest-day" + day + ".txt"), l.bytes("~daily.txt"));
    const std::string page = l.bytes("html/periods.html");
    EXPECT_NE(page.find("<a href=\"scoreboard-day" + day + ".html\">Scoreboard</a><a href=\"digest-day" + day +
                        ".txt\">Digest</a>"),
              std::string::npos);
#ifndef _WIN32
    // The validator is a Linux program; the Windows build's page is the same
    // bytes (the end-to-end check under Wine compares the league folders).
    const std::string check = "/usr/bin/python3 -c \"import html5lib,sys; html5lib.HTMLParser(strict=True)"
                              ".parse(open(sys.argv[1],'rb'))\" '" + l.file("html/periods.html").string() + "'";
    EXPECT_EQ(std::system(check.c_str()), 0);
#endif
    // The odd names' entities, decoded.
    EXPECT_NE(l.bytes("posts/forum.txt").find("A&M"), std::string::npos);
    expectPostsHoldTheDigest(l);
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
