// The sending's rules without a network: the profile, the website's mirror
// and Discord's messages, over seams that remember what they were asked.
#include "send/discord_posts.h"
#include "send/mirror.h"
#include "send/profile.h"
#include "send/send_error.h"
#include "send/site_record.h"
#include "send/transports.h"
#include "text/memory_file_system.h"
#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <vector>

namespace vr {
namespace {

// ---------------------------------------------------------------- profile

TEST(SendProfile, ReadsBothSectionsWithCommentsAndSecretsKeptWhole) {
    const SendProfile p = parseProfile("; the league's site\n"
                                       "[site]\n"
                                       "address = sftp://host.example:2222/~/league   ; where\n"
                                       "user = commish\n"
                                       "password = pa;ss#word\n"
                                       "host-key = SHA256:abc\n"
                                       "\n"
                                       "[discord]\r\n"
                                       "webhook = https://discord.example/api/webhooks/1/tok123\r\n");
    ASSERT_TRUE(p.site && p.discord);
    EXPECT_EQ(p.site->address, "sftp://host.example:2222/~/league");
    EXPECT_EQ(p.site->password, "pa;ss#word");
    EXPECT_EQ(p.site->hostKey, "SHA256:abc");
    EXPECT_EQ(p.discord->webhook, "https://discord.example/api/webhooks/1/tok123");
    EXPECT_EQ(p.secrets().scrub("token tok123 and pa;ss#word"), "token *** and ***");
}

TEST(SendProfile, MistakesAreNamedWithoutTheirValues) {
    try {
        parseProfile("[site]\naddress = ftp://h/x\npasword = s3cret-value\n");
        FAIL();
    } catch (const SendError& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
        EXPECT_EQ(std::string(e.what()).find("s3cret-value"), std::string::npos) << e.what();
    }
    EXPECT_THROW(parseProfile("[site]\naddress = http://h/x\n"), SendError);
    EXPECT_THROW(parseProfile("[discord]\nwebhook = http://plain/x\n"), SendError);
    EXPECT_THROW(parseProfile("[web]\n"), SendError);
    EXPECT_THROW(parseProfile("[site]\naddress = ftp://h/x\nweb = league.example/l/\n"), SendError);
    EXPECT_FALSE(parseProfile("").site);
}

TEST(SendProfile, AddressesAreShownWithoutUserOrPassword) {
    EXPECT_EQ(shownAddress("ftps://bob:pw@host:21/site/"), "ftps://host:21/site/");
    EXPECT_EQ(shownAddress("sftp://host/a@b"), "sftp://host/a@b");
    EXPECT_EQ(shownWebhook("https://user:pw@discord.example/api/webhooks/1/tok"),
              "the Discord webhook at discord.example");
}

TEST(SendProfile, ASecretOthersMayReadIsRefusedWithTheFix) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps the profile's secrets encrypted for the user instead";
#endif
    namespace fs = std::filesystem;
    const fs::path folder = testing::makeTemporaryFolder("profile");
    ASSERT_FALSE(folder.empty());
    EXPECT_FALSE(loadProfile(folder.string())); // none: nothing to send
    std::ofstream(folder / "publish.ini") << "[discord]\nwebhook = https://d.example/api/webhooks/1/tok\n";
    fs::permissions(folder / "publish.ini", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    try {
        loadProfile(folder.string());
        FAIL();
    } catch (const SendError& e) {
        EXPECT_NE(std::string(e.what()).find("chmod 600"), std::string::npos) << e.what();
    }
    fs::permissions(folder / "publish.ini", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(loadProfile(folder.string()));
    // The posts' links take the site's web address; a profile that cannot be
    // read gives none (the sending says why).
    EXPECT_EQ(siteWebAddress(folder.string()), "");
    std::ofstream(folder / "publish.ini") << "[site]\naddress = file:///x\nweb = https://l.example/h/\n"
                                             "[discord]\nwebhook = https://d.example/api/webhooks/1/tok\n";
    EXPECT_EQ(siteWebAddress(folder.string()), "https://l.example/h/");
    fs::permissions(folder / "publish.ini", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(siteWebAddress(folder.string()), "");
    fs::remove_all(folder);
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SendProfile, SavedWholeWithItsSecretsAsTheHostKeepsThemAndReadBack) {
    namespace fs = std::filesystem;
    const fs::path folder = testing::makeTemporaryFolder("profile-save");
    ASSERT_FALSE(folder.empty());
    const std::string password = "pa;ss word#1", token = "tok-4f9a2c";
    std::ofstream(folder / "publish.ini") << "[site]\naddress = ftps://h.example/site\nuser = u\npassword = "
                                          << password << "\n[discord]\nwebhook = https://d.example/api/webhooks/1/"
                                          << token << "\n";
    fs::permissions(folder / "publish.ini", fs::perms::owner_read | fs::perms::owner_write);
    std::optional<SendProfile> found = loadProfile(folder.string());
    ASSERT_TRUE(found && found->site && found->discord);
    EXPECT_EQ(found->site->password, password); // a plain secret is used as it is
#ifdef _WIN32
    EXPECT_TRUE(found->plainSecrets);            // and written back encrypted
#else
    EXPECT_FALSE(found->plainSecrets);
#endif

    saveProfile((folder / "config").string(), *found); // the folder is made
    const std::string saved = fileText(folder / "config" / "publish.ini");
    EXPECT_NE(saved.find("address = ftps://h.example/site\n"), std::string::npos) << saved;
    EXPECT_FALSE(fs::exists(folder / "config" / "publish.ini.new"));
#ifdef _WIN32
    EXPECT_EQ(saved.find(password), std::string::npos);
    EXPECT_EQ(saved.find(token), std::string::npos);
    EXPECT_NE(saved.find("password = dpapi:"), std::string::npos);
    EXPECT_NE(saved.find("webhook = dpapi:"), std::string::npos);
#else
    EXPECT_EQ(fs::status(folder / "config" / "publish.ini").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
#endif
    const std::optional<SendProfile> again = loadProfile((folder / "config").string());
    ASSERT_TRUE(again && again->site && again->discord);
    EXPECT_EQ(again->site->password, password);
    EXPECT_EQ(again->discord->webhook, "https://d.example/api/webhooks/1/" + token);
    EXPECT_EQ(again->site->user, "u");
    EXPECT_FALSE(again->plainSecrets);

    // A value that does not open (another user's, damaged) is named, never shown.
    std::ofstream(folder / "publish.ini") << "[site]\naddress = sftp://h/x\npassword = dpapi:AAAAbroken\n";
    try {
        loadProfile(folder.string());
        FAIL();
    } catch (const SendError& e) {
        EXPECT_NE(std::string(e.what()).find("the password was encrypted for another user"), std::string::npos)
            << e.what();
        EXPECT_EQ(std::string(e.what()).find("AAAAbroken"), std::string::npos);
    }
    fs::remove_all(folder);
}

void setVariable(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value);
#else
    ::setenv(name, value, 1);
#endif
}

TEST(SendTls, TheTestsSwitchForUnverifiedCertificatesIsRefusedAwayFromLoopback) {
    setVariable("VELLOR_TESTS_TLS_UNVERIFIED", "1");
    try {
        openDiscord(DiscordProfile{"https://discord.example/api/webhooks/1/tok", ""});
        ADD_FAILURE() << "the switch was taken for a server on the network";
    } catch (const SendError& e) {
        EXPECT_NE(std::string(e.what()).find("tests on 127.0.0.1 alone"), std::string::npos) << e.what();
    }
    std::vector<std::string> warnings;
    EXPECT_THROW(openSite(SiteProfile{"ftps://league.example/x", "u", "p", "", "", "", ""}, warnings), SendError);
    EXPECT_NO_THROW(openDiscord(DiscordProfile{"https://127.0.0.1:9/api/webhooks/1/tok", ""}));
    setVariable("VELLOR_TESTS_TLS_UNVERIFIED", "");
}

// ----------------------------------------------------------------- mirror

// A remote folder in memory: the files it holds under their names, and the
// calls made, in order.
class FakeSite : public SiteLink {
public:
    std::map<std::string, std::string> files;
    std::vector<std::string> calls;
    MemoryFileSystem* local = nullptr;
    int cutAtPut = 0;            // the Nth put fails (1-based), 0: none
    bool renamesOver = true;
    int puts = 0;

    void put(const std::string& localPath, const std::string& remote) override {
        if (++puts == cutAtPut) {
            files[remote] = "half";
            throw SendError("connection cut");
        }
        calls.push_back("put " + remote);
        files[remote] = local->file(localPath);
    }
    void rename(const std::string& from, const std::string& to) override {
        calls.push_back("rename " + to);
        if (!renamesOver && files.count(to)) throw SendError("exists");
        files[to] = files.at(from);
        files.erase(from);
    }
    void remove(const std::string& remote) override {
        calls.push_back("remove " + remote);
        files.erase(remote);
    }
};

class Mirror : public ::testing::Test {
protected:
    void SetUp() override {
        fs.addFolder("/league");
        fs.addFolder("/league/html");
        fs.addFolder("/league/html/boxes");
        fs.addFolder("/cache");
        fs.setClock(1000);
        fs.setFile("/league/html/scoreboard.html", "<a href=boxes/1.html>");
        fs.setFile("/league/html/periods.html", "<a href=scoreboard-day3.html>");
        fs.setFile("/league/html/scoreboard-day3.html", "day 3");
        fs.setFile("/league/html/standings.htm", "standings");
        fs.setFile("/league/html/boxes/1.html", "box 1");
        fs.setFile("/league/html/logo.png", "png");
        site.local = &fs;
    }
    MirrorResult send() { return mirrorFolder(fs, "/league/html", site, "/cache/x.site"); }
    // The remote's files other than temporaries, as the local folder's.
    void expectSame() {
        std::map<std::string, std::string> finals;
        for (const auto& [name, bytes] : site.files)
            if (name.find(".vr-sending.") == std::string::npos) finals[name] = bytes;
        EXPECT_EQ(finals.size(), 6u);
        for (const auto& [name, bytes] : finals) EXPECT_EQ(bytes, fs.file("/league/html/" + name)) << name;
    }

    MemoryFileSystem fs;
    FakeSite site;
};

TEST_F(Mirror, FirstSendPutsEveryFileUnderATemporaryThenPagesAfterWhatTheyLinkTo) {
    const MirrorResult r = send();
    EXPECT_EQ(r.sent, 6u);
    EXPECT_EQ(r.bytesSent, 72u);
    const std::vector<std::string> expected = {
        "put .vr-sending.logo.png",          "rename logo.png",
        "put boxes/.vr-sending.1.html",      "rename boxes/1.html",
        "put .vr-sending.scoreboard-day3.html", "rename scoreboard-day3.html",
        "put .vr-sending.standings.htm",     "rename standings.htm",
        "put .vr-sending.scoreboard.html",   "rename scoreboard.html",
        "put .vr-sending.periods.html",      "rename periods.html"};
    EXPECT_EQ(site.calls, expected);
    expectSame();
}

TEST_F(Mirror, ThenOnlyWhatChangedAndNotWhatWasWrittenAgainTheSame) {
    send();
    site.calls.clear();
    EXPECT_EQ(send().sent, 0u);
    fs.setClock(2000);
    fs.setFile("/league/html/boxes/1.html", "box 1"); // same bytes, new time
    fs.setFile("/league/html/scoreboard.html", "new board");
    fs.addFolder("/league/html/boxes/new");
    fs.setFile("/league/html/boxes/new/2.html", "box 2");
    const MirrorResult r = send();
    EXPECT_EQ(r.sent, 2u);
    EXPECT_EQ(r.localFiles, 7u);
    const std::vector<std::string> expected = {"put boxes/new/.vr-sending.2.html", "rename boxes/new/2.html",
                                               "put .vr-sending.scoreboard.html", "rename scoreboard.html"};
    EXPECT_EQ(site.calls, expected);
    site.calls.clear();
    EXPECT_EQ(send().sent, 0u); // the new time of the same bytes was recorded
    EXPECT_TRUE(site.calls.empty());
}

TEST_F(Mirror, ACutSendLeavesNoHalfFileUnderAFinalNameAndTheNextFinishesIt) {
    site.cutAtPut = 3;
    EXPECT_THROW(send(), SendError);
    EXPECT_EQ(site.files.count("scoreboard-day3.html"), 0u);
    EXPECT_EQ(site.files.at(".vr-sending.scoreboard-day3.html"), "half");
    // Changed meanwhile: the file whose temporary was left goes up no more.
    fs.setClock(3000);
    fs.removeFile("/league/html/scoreboard-day3.html");
    site.calls.clear();
    const MirrorResult r = send();
    EXPECT_EQ(r.sent, 3u); // the two before the cut are not sent again
    EXPECT_EQ(site.calls.front(), "remove .vr-sending.scoreboard-day3.html");
    for (const auto& [name, bytes] : site.files) EXPECT_EQ(name.find(".vr-sending."), std::string::npos) << name;
}

TEST_F(Mirror, AServerThatWillNotRenameOverAFileHasTheOldOneRemovedJustBefore) {
    send();
    site.renamesOver = false;
    fs.setClock(2000);
    fs.setFile("/league/html/standings.htm", "new standings");
    fs.setFile("/league/html/periods.html", "new periods");
    fs.setFile("/league/html/boxes/2.html", "box 2");
    site.calls.clear();
    EXPECT_EQ(send().sent, 3u);
    // A new file has nothing to remove.
    const std::vector<std::string> expected = {
        "put boxes/.vr-sending.2.html",  "rename boxes/2.html",
        "put .vr-sending.standings.htm", "rename standings.htm", "remove standings.htm", "rename standings.htm",
        "put .vr-sending.periods.html",  "remove periods.html",  "rename periods.html"};
    EXPECT_EQ(site.calls, expected);
    EXPECT_EQ(site.files.size(), 7u);
    EXPECT_EQ(site.files.at("boxes/2.html"), "box 2");

    // Without a record, what the remote holds is unknown: once a rename
    // finds a file there, each file is removed just before its rename.
    fs.removeFile("/cache/x.site");
    site.calls.clear();
    EXPECT_EQ(send().sent, 7u);
    EXPECT_EQ(std::count(site.calls.begin(), site.calls.end(), "rename logo.png"), 2);
    EXPECT_EQ(std::count(site.calls.begin(), site.calls.end(), "remove periods.html"), 1);
    EXPECT_EQ(std::count(site.calls.begin(), site.calls.end(), "rename periods.html"), 1);
    for (const auto& [name, bytes] : site.files) EXPECT_EQ(name.find(".vr-sending."), std::string::npos) << name;
}

TEST_F(Mirror, ALostOrForeignRecordMeansOneFullSend) {
    send();
    fs.setFile("/cache/x.site", "something else\n");
    EXPECT_EQ(send().sent, 6u);
    fs.removeFile("/cache/x.site");
    EXPECT_EQ(send().sent, 6u);
    EXPECT_EQ(send().sent, 0u);
}

// ---------------------------------------------------------------- Discord

// Discord's webhook as documented, in memory: ids for new messages, edits
// and deletions of them, and answers queued to come first.
class FakeDiscord : public DiscordLink {
public:
    std::map<std::string, std::string> messages; // id -> content
    std::vector<std::string> calls;
    std::vector<WebAnswer> queued;
    std::vector<double> pauses;
    int next = 100;

    WebAnswer request(const std::string& method, const std::string& id, const std::string& json) override {
        calls.push_back(method + (id.empty() ? "" : " " + id));
        if (!queued.empty()) {
            WebAnswer a = queued.front();
            queued.erase(queued.begin());
            return a;
        }
        if (method == "DELETE") {
            if (!messages.erase(id)) return {404, R"({"message": "Unknown Message", "code": 10008})"};
            return {204, ""};
        }
        const nlohmann::json body = nlohmann::json::parse(json);
        EXPECT_TRUE(body["allowed_mentions"]["parse"].is_array() && body["allowed_mentions"]["parse"].empty());
        if (method == "PATCH") {
            if (!messages.count(id)) return {404, R"({"message": "Unknown Message", "code": 10008})"};
            messages[id] = body["content"];
            return {200, "{}"};
        }
        const std::string newId = std::to_string(next++);
        messages[newId] = body["content"];
        return {200, nlohmann::json{{"id", newId}}.dump()};
    }
    void pause(double seconds) override { pauses.push_back(seconds); }
};

class Posts : public ::testing::Test {
protected:
    void SetUp() override { fs.addFolder("/cache"); }
    PostsResult post(const std::string& period, const std::vector<std::string>& texts) {
        return postPeriod(discord, fs, "/cache/d.discord", period, texts);
    }
    MemoryFileSystem fs;
    FakeDiscord discord;
};

TEST_F(Posts, OnePeriodOneSetOfMessagesEditedOnARerun) {
    EXPECT_EQ(post("day 3", {"one @everyone", "two"}).posted, 2u);
    EXPECT_EQ(discord.messages.at("100"), "one @everyone");
    discord.calls.clear();
    const PostsResult same = post("day 3", {"one @everyone", "two"});
    EXPECT_EQ(same.unchanged, 2u);
    EXPECT_TRUE(discord.calls.empty());
    const PostsResult more = post("day 3", {"one", "two", "three"});
    EXPECT_EQ(more.edited, 1u);
    EXPECT_EQ(more.posted, 1u);
    const PostsResult fewer = post("day 3", {"only"});
    EXPECT_EQ(fewer.edited, 1u);
    EXPECT_EQ(fewer.deleted, 2u);
    EXPECT_EQ(discord.messages.size(), 1u);
    EXPECT_EQ(discord.messages.at("100"), "only");
    // A new period is new messages; the old period's stay.
    EXPECT_EQ(post("day 6", {"next"}).posted, 1u);
    EXPECT_EQ(discord.messages.size(), 2u);
}

TEST_F(Posts, RateLimitsAndServerFaultsAreRiddenOut) {
    discord.queued = {{429, R"({"message": "You are being rate limited.", "retry_after": 0.25, "global": false})"},
                      {500, "oops"},
                      {502, ""}};
    EXPECT_EQ(post("day 3", {"one"}).posted, 1u);
    EXPECT_EQ(discord.pauses, (std::vector<double>{0.25, 2, 4}));
    discord.queued = {{500, ""}, {500, ""}, {500, ""}};
    try {
        post("day 3", {"one", "two"});
        FAIL();
    } catch (const SendError& e) {
        EXPECT_NE(std::string(e.what()).find("HTTP 500"), std::string::npos) << e.what();
    }
    // The message that went through is not posted twice.
    EXPECT_EQ(post("day 3", {"one", "two"}).posted, 1u);
    EXPECT_EQ(discord.messages.size(), 2u);
}

TEST_F(Posts, RefusalsStopWithDiscordsOwnWords) {
    discord.queued = {{404, R"({"message": "Unknown Webhook", "code": 10015})"}};
    try {
        post("day 3", {"one"});
        FAIL();
    } catch (const SendError& e) {
        EXPECT_STREQ(e.what(), "the webhook no longer exists: make a new one and put it in publish.ini");
    }
    discord.queued = {{400, R"({"message": "Cannot send an empty message", "code": 50006})"}};
    try {
        post("day 3", {""});
        FAIL();
    } catch (const SendError& e) {
        EXPECT_STREQ(e.what(), "Discord refused the message: Cannot send an empty message (HTTP 400)");
    }
}

TEST_F(Posts, AMessageDeletedInTheChannelIsPostedAnew) {
    post("day 3", {"one"});
    discord.messages.clear();
    const PostsResult r = post("day 3", {"one again"});
    EXPECT_EQ(r.posted, 1u);
    EXPECT_EQ(discord.messages.size(), 1u);
}

} // namespace
} // namespace vr
