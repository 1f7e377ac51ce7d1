#include "additions/digest_parts.h"
#include "additions/post_text.h"
#include "additions/posts.h"
#include "additions/posts_files.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

namespace vr {
namespace {

using testing::crlf;
using testing::stopMessage;

TEST(PostText, DecodesTheCodePageAndEveryKindOfEntity) {
    EXPECT_EQ(decodeForPost("Alder Creek A&amp;M"), "Alder Creek A&M");
    EXPECT_EQ(decodeForPost("&lt;&gt;&quot;&#39;&apos;"), "<>\"''");
    EXPECT_EQ(decodeForPost("Jos&eacute; &Eacute;&#233;&#xE9;&#XE9;"), "José Éééé");
    EXPECT_EQ(decodeForPost("St.&nbsp;Mary\xE9"), "St. Maryé");
    // 128..159 as numbers mean the code page's characters, as in browsers.
    EXPECT_EQ(decodeForPost("A&#150;B \x96"), "A\u2013B \u2013");
    EXPECT_EQ(decodeForPost("&#128512;"), "\U0001F600");
    // Not entities: kept as they stand.
    EXPECT_EQ(decodeForPost("A&M &amp &bogus; &#; &#x; & ;"), "A&M &amp &bogus; &#; &#x; & ;");
    EXPECT_EQ(decodeForPost("&#0;&#xD800;&#99999999;"), "\uFFFD\uFFFD\uFFFD");
}

TEST(PostText, CountsAsAChatServiceDoes) {
    EXPECT_EQ(chatLength("abc"), 3u);
    EXPECT_EQ(chatLength("é\u2013"), 2u);
    EXPECT_EQ(chatLength("\U0001F600"), 2u);
}

// A digest as the run writes it: two days (one without a top-25 game), the
// leaders with an empty entry, the website.
std::string sampleDigest() {
    const std::string eq(52, '='), dash(52, '-');
    std::vector<std::string> lines = {eq, "RESULTS FOR THE PERIOD OF: 11/18/2009 - 11/19/2009", eq, " ",
                                      "Top 25 Results for 11/18/2009", dash,
                                      "(5)Ridgefield 81, (NR)Alder Creek A&amp;M 77",
                                      "(12)Lake_Shore*State 70, (3)Jos&eacute; Tech 68", " ",
                                      "Top 25 Results for 11/19/2009", dash, dash, "", "", eq,
                                      "STAT LEADERS FOR THE PERIOD OF: 11/18/2009 - 11/19/2009", eq,
                                      "Points Scored in a Game", dash};
    const char* points[] = {"1)  31  A. Smith, Ridgefield (Nov18)", "2)  9  B. Jones, Lake (Nov19)", "3)  ",
                            "4)  ", "5)  "};
    for (const char* l : points) lines.emplace_back(l);
    lines.push_back(dash);
    for (const char* title : {"Rebounds in a Game", "Assists in a Game"}) {
        lines.emplace_back(title);
        lines.push_back(dash);
        lines.emplace_back("1)  12.5  C. O`Neil, Tech (Nov18)");
        for (int i = 2; i <= 5; ++i) lines.push_back(std::to_string(i) + ")  ");
        lines.push_back(dash);
    }
    lines.emplace_back("http://www.marrowdeen.example/");
    lines.push_back(dash);
    return crlf(lines);
}

TEST(DigestParts, ReadsEveryPartBack) {
    Digest d = readDigest(sampleDigest());
    EXPECT_EQ(d.firstDate, "11/18/2009");
    EXPECT_EQ(d.lastDate, "11/19/2009");
    ASSERT_EQ(d.days.size(), 2u);
    EXPECT_EQ(d.days[0].results,
              (std::vector<std::string>{"(5)Ridgefield 81, (NR)Alder Creek A&M 77",
                                        "(12)Lake_Shore*State 70, (3)José Tech 68"}));
    EXPECT_TRUE(d.days[1].results.empty());
    ASSERT_EQ(d.leaders.size(), 3u);
    ASSERT_EQ(d.leaders[0].entries.size(), 2u);
    EXPECT_EQ(d.leaders[0].entries[1].value, "9");
    EXPECT_EQ(d.leaders[0].entries[1].label, "B. Jones, Lake (Nov19)");
    EXPECT_EQ(d.leaders[2].heading, "Assists in a Game");
    EXPECT_EQ(d.website, "http://www.marrowdeen.example/");
}

TEST(ForumPost, BoldHeadingsCodeListsAndTheWebsite) {
    std::vector<std::string> lines = forumPost(readDigest(sampleDigest()), "Sim done & dusted");
    std::vector<std::string> expected = {
        "Sim done & dusted", "",
        "[b]RESULTS FOR THE PERIOD OF: 11/18/2009 - 11/19/2009[/b]", "",
        "[b]Top 25 Results for 11/18/2009[/b]", "(5)Ridgefield 81, (NR)Alder Creek A&M 77",
        "(12)Lake_Shore*State 70, (3)José Tech 68", "",
        "[b]Top 25 Results for 11/19/2009[/b]", "[i]No top-25 games.[/i]", "",
        "[b]STAT LEADERS FOR THE PERIOD OF: 11/18/2009 - 11/19/2009[/b]", "",
        "[b]Points Scored in a Game[/b]", "[code]", "1) 31  A. Smith, Ridgefield (Nov18)",
        "2)  9  B. Jones, Lake (Nov19)", "[/code]", "",
        "[b]Rebounds in a Game[/b]", "[code]", "1) 12.5  C. O`Neil, Tech (Nov18)", "[/code]", "",
        "[b]Assists in a Game[/b]", "[code]", "1) 12.5  C. O`Neil, Tech (Nov18)", "[/code]", "",
        "[url]http://www.marrowdeen.example/[/url]"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(forumPost(readDigest(sampleDigest()), "")[0], expected[2]);

    // The period's page below the website, when that is a web address.
    Digest d = readDigest(sampleDigest());
    d.periodPage = "seasons/2009-10/period-day251.html";
    const std::string link = "http://www.marrowdeen.example/seasons/2009-10/period-day251.html";
    EXPECT_EQ(forumPost(d, "").back(), "Games: [url]" + link + "[/url]");
    EXPECT_EQ(discordPost(d, "").back().back(), "Games: <" + link + ">");
    d.website = "the league's forum";
    EXPECT_EQ(forumPost(d, "").back(), "[url]the league's forum[/url]");
}

TEST(DiscordPost, EscapesMarkupInNamesOnly) {
    EXPECT_EQ(discordEscape("Lake_Shore*State ~x~ `y` |z| [a] <b> @c \\"),
              "Lake\\_Shore\\*State \\~x\\~ \\`y\\` \\|z\\| \\[a\\] \\<b> \\@c \\\\");
    EXPECT_EQ(discordEscape("# A - B"), "\\# A - B");
    EXPECT_EQ(discordEscape("> C"), "\\> C");
    auto messages = discordPost(readDigest(sampleDigest()), "**Sim done**");
    ASSERT_EQ(messages.size(), 1u);
    const auto& m = messages[0];
    EXPECT_EQ(m[0], "**Sim done**");
    EXPECT_EQ(m[6], "(12)Lake\\_Shore\\*State 70, (3)José Tech 68");
    // Inside a fence the text is literal: nothing escaped.
    EXPECT_NE(std::find(m.begin(), m.end(), "1) 12.5  C. O`Neil, Tech (Nov18)"), m.end());
    EXPECT_EQ(m.back(), "<http://www.marrowdeen.example/>");
}

TEST(Posts, WithTheSitesWebAddressBothEndWithThePeriodsLinksNeverAlone) {
    Digest d = readDigest(sampleDigest());
    d.website.clear();
    d.periodPage = "seasons/2009-10/period-day251.html";
    d.scoreboardPage = "seasons/2009-10/scoreboard-day251.html";
    d.siteWeb = "https://l.example/h/";
    const std::vector<std::string> links = {"Games: https://l.example/h/seasons/2009-10/period-day251.html",
                                            "Scoreboard: https://l.example/h/seasons/2009-10/scoreboard-day251.html",
                                            "All periods: https://l.example/h/periods.html"};
    const std::vector<std::string> forum = forumPost(d, "");
    ASSERT_GE(forum.size(), 5u);
    EXPECT_EQ(forum[forum.size() - 5], "[/code]");
    EXPECT_EQ(forum[forum.size() - 4], "");
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string& url = links[i].substr(links[i].find("https"));
        EXPECT_EQ(forum[forum.size() - 3 + i], links[i].substr(0, links[i].find("https")) + "[url]" + url + "[/url]");
    }
    const auto one = discordPost(d, "Sim done");
    ASSERT_EQ(one.size(), 1u);
    std::size_t whole = 0;
    for (const auto& line : one[0]) whole += chatLength(line) + 2;
    // However the messages split, the links end the last one, and something
    // of the period comes with them.
    for (std::size_t limit = whole; limit > 300; limit -= 7) {
        const auto messages = discordPost(d, "Sim done", limit);
        const auto& last = messages.back();
        ASSERT_GT(last.size(), 4u) << limit;
        for (std::size_t i = 0; i < 3; ++i) {
            const std::string& url = links[i].substr(links[i].find("https"));
            EXPECT_EQ(last[last.size() - 3 + i], links[i].substr(0, links[i].find("https")) + "<" + url + ">")
                << limit;
        }
        EXPECT_NE(last[last.size() - 5], "") << limit;
    }
}

// Every message within the limit, fences balanced in each, every line of
// the unsplit post in the messages in order.
void expectSoundSplit(const std::vector<std::vector<std::string>>& messages, std::size_t limit) {
    for (const auto& m : messages) {
        std::size_t size = 0, fences = 0;
        for (const auto& line : m) {
            size += chatLength(line) + 2;
            if (line == "```") ++fences;
        }
        EXPECT_LE(size, limit);
        EXPECT_EQ(fences % 2, 0u);
        EXPECT_FALSE(m.empty());
        EXPECT_NE(m.front(), "");
        EXPECT_NE(m.back(), "");
    }
}

TEST(DiscordPost, SplitsBetweenSectionsThenLinesWithinTheLimit) {
    Digest d = readDigest(sampleDigest());
    for (int i = 0; i < 60; ++i) d.days[1].results.push_back("(" + std::to_string(i) + ")Team " + std::string(20, 'x'));
    for (int i = 0; i < 40; ++i) d.leaders[0].entries.push_back({"9", "1", "Long Label " + std::to_string(i)});
    const std::size_t limit = 400;
    auto messages = discordPost(d, std::string(1000, 'm'), limit);
    expectSoundSplit(messages, limit);
    std::string all;
    for (const auto& m : messages)
        for (const auto& l : m) all += l + "\n";
    // The long note is cut, whole in the end; each result once.
    std::string joined;
    for (const auto& m : messages)
        for (const auto& l : m)
            if (l.find_first_not_of('m') == std::string::npos) joined += l;
    EXPECT_EQ(joined, std::string(1000, 'm'));
    for (int i = 0; i < 60; ++i) {
        std::string r = "(" + std::to_string(i) + ")Team " + std::string(20, 'x');
        EXPECT_EQ(all.find(r), all.rfind(r)) << r;
        EXPECT_NE(all.find(r), std::string::npos) << r;
    }
    // A split list reopens its fence after its heading again.
    std::size_t headings = 0;
    for (const auto& m : messages)
        for (std::size_t i = 0; i + 1 < m.size(); ++i)
            if (m[i] == "**Points Scored in a Game**") {
                ++headings;
                EXPECT_EQ(m[i + 1], "```");
            }
    EXPECT_GT(headings, 1u);
}

TEST(DiscordPost, AWholeSectionMovesToTheNextMessage) {
    auto messages = discordPost(readDigest(sampleDigest()), "", 300);
    expectSoundSplit(messages, 300);
    for (const auto& m : messages) {
        EXPECT_EQ(m.front().substr(0, 2), "**") << "message starts mid-section";
    }
}

// Names and the Message are text: no forum tag and no chat link comes from
// them, whatever they hold.
TEST(Posts, NamesAndTheMessageOpenNoTagAndNoLink) {
    Digest d = readDigest(sampleDigest());
    d.days[0].results[0] = "(1)[/code][b]Evil[/b] 80, (NR)[url=http://x]X[/url] [img]y[/img] 70";
    d.leaders[0].entries[0].label = "[/code][*]Z, Tech";
    std::vector<std::string> forum = forumPost(d, "[b]Sim[/b] [1] [ x");
    EXPECT_EQ(forum[0], "[\u200Bb]Sim[\u200B/b] [1] [ x");
    EXPECT_EQ(forum[5], "(1)[\u200B/code][\u200Bb]Evil[\u200B/b] 80, (NR)[\u200Burl=http://x]X[\u200B/url] "
                        "[\u200Bimg]y[\u200B/img] 70");
    EXPECT_EQ(forum[15], "1) 31  [\u200B/code][\u200B*]Z, Tech");

    EXPECT_EQ(discordEscape("http://evil.example]East @everyone"), "http:\u200B//evil.example\\]East \\@everyone");
}

// A heading never ends a message, a long Message is split between words,
// the website never stands alone, and a day without games (no date) gives
// no heading.
TEST(DiscordPost, HeadingsStayWithTheirLinesAndTheMessageSplitsBetweenWords) {
    std::string words;
    for (int i = 0; words.size() < 1500; ++i) words += (i ? " word" : "word") + std::to_string(i);
    for (std::size_t limit = 150; limit <= 700; limit += 7) {
        SCOPED_TRACE(limit);
        auto messages = discordPost(readDigest(sampleDigest()), words, limit);
        expectSoundSplit(messages, limit);
        std::string joined;
        for (const auto& m : messages) {
            EXPECT_NE(m.back().substr(0, 2), "**") << m.back();
            for (const auto& l : m)
                if (l.rfind("word", 0) == 0) joined += (joined.empty() ? "" : " ") + l;
        }
        EXPECT_EQ(joined, words);
        EXPECT_GT(messages.back().size(), 1u);
    }
    std::string digest = sampleDigest();
    digest.replace(digest.find("Top 25 Results for 11/19/2009"), 29, "Top 25 Results for ");
    EXPECT_EQ(readDigest(digest).days.size(), 1u);
}

// The links that close the post (the website, the period's page) end the
// last message beside the last lines of text, even when the section before
// them fills whole messages on its own.
TEST(DiscordPost, TheClosingLinksTravelWithTheLastLinesOfText) {
    const std::string site = "<http://www.marrowdeen.example/>";
    const std::string games = "Games: <http://www.marrowdeen.example/seasons/2009-10/period-day251.html>";
    for (int entries : {5, 60, 200}) {
        Digest d = readDigest(sampleDigest());
        d.periodPage = "seasons/2009-10/period-day251.html";
        for (int i = 0; i < entries; ++i)
            d.leaders.back().entries.push_back({"6", "1", "Player " + std::to_string(i) + ", Team"});
        for (std::size_t limit = 300; limit <= kDiscordLimit; limit += 17) {
            SCOPED_TRACE(std::to_string(entries) + " entries, limit " + std::to_string(limit));
            auto messages = discordPost(d, "", limit);
            expectSoundSplit(messages, limit);
            const auto& last = messages.back();
            ASSERT_GE(last.size(), 4u);
            EXPECT_EQ(last[last.size() - 3], site);
            EXPECT_EQ(last.back(), games);
            std::size_t text = 0;
            for (const auto& l : last) text += !l.empty() && l != "```" && l != site && l != games;
            EXPECT_GE(text, 2u) << "the links stand alone";
            std::size_t links = 0;
            for (const auto& m : messages) links += std::count(m.begin(), m.end(), site);
            EXPECT_EQ(links, 1u);
        }
    }
}

TEST(PostsFiles, AHugeMessageOrWebsiteIsCutWithANote) {
    struct Huge : testing::MemoryLeague {
        std::string folder = testing::leaguePath("posts");
    } m;
    m.fs.addFolder(m.folder);
    std::string digest = sampleDigest();
    digest.replace(digest.find("http://www.marrowdeen.example/"), 30, std::string(1000000, 'w'));
    std::string message;
    while (message.size() < 1000000) message += "many words ";
    writePosts(m.fs, m.folder, digest, message);
    // Two 4000-character texts make a few messages, not thousands.
    EXPECT_TRUE(m.has("posts\\discord-3.md"));
    EXPECT_FALSE(m.has("posts\\discord-7.md"));
    const std::string first = m.lines("posts\\forum.txt")[0];
    // Cut between words, and said so.
    const std::string tail = " \u2026 (cut: longer than 4000 characters)";
    ASSERT_GT(first.size(), tail.size() + 5);
    EXPECT_EQ(first.substr(first.size() - tail.size()), tail);
    const std::string cut = first.substr(0, first.size() - tail.size());
    EXPECT_TRUE(cut.substr(cut.size() - 5) == " many" || cut.substr(cut.size() - 5) == "words") << cut;
    EXPECT_LT(first.size(), 4100u);
}

struct PostsLeague : testing::MemoryLeague {
    std::string folder = testing::leaguePath("posts");
};

TEST(PostsFiles, WritesUtf8CrLfAndRemovesStaleMessages) {
    PostsLeague m;
    m.fs.addFolder(m.folder);
    m.put("posts\\discord-3.md", "old");
    m.put("posts\\discord-03.md", "not ours");
    m.put("posts\\notes.md", "mine");
    writePosts(m.fs, m.folder, sampleDigest(), "Caf\xE9 &amp; more");
    EXPECT_EQ(m.lines("posts\\forum.txt")[0], "Caf\u00E9 &amp; more");
    EXPECT_EQ(m.get("posts\\forum.txt").find("&amp;M"), std::string::npos);
    EXPECT_EQ(m.get("posts\\discord-1.md").substr(0, 18), "Caf\u00E9 &amp; more\r\n");
    EXPECT_FALSE(m.has("posts\\discord-2.md"));
    EXPECT_FALSE(m.has("posts\\discord-3.md"));
    EXPECT_TRUE(m.has("posts\\discord-03.md"));
    EXPECT_TRUE(m.has("posts\\notes.md"));
}

TEST(PostsFiles, FailuresNameTheirFile) {
    PostsLeague m;
    m.put("posts", "a file where the folder goes");
    EXPECT_EQ(stopMessage([&] { writePosts(m.fs, m.folder, sampleDigest(), ""); }), "Path not found: posts\\forum.txt");
    PostsLeague held;
    held.fs.addFolder(held.folder + "/discord-1.md");
    EXPECT_EQ(stopMessage([&] { writePosts(held.fs, held.folder, sampleDigest(), ""); }),
              "Permission denied: posts\\discord-1.md");
    PostsLeague full;
    full.fs.setCapacity(100);
    EXPECT_EQ(stopMessage([&] { writePosts(full.fs, full.folder, sampleDigest(), ""); }),
              "Device I/O error: posts\\forum.txt");
}

} // namespace
} // namespace vr
