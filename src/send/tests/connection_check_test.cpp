// "Test" in the sending dialog: what it says of the remote folder's listing,
// with a site in memory, and of a folder of this machine.
#include "send/connection_check.h"
#include "send/send_error.h"
#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace vr;

namespace {

// A remote folder that answers a listing, or fails as it is told.
class ListedSite : public SiteLink {
public:
    std::optional<std::vector<std::string>> names;
    std::string failure;
    void put(const std::string&, const std::string&) override { ADD_FAILURE() << "Test sent a file"; }
    void rename(const std::string&, const std::string&) override { ADD_FAILURE() << "Test renamed a file"; }
    void remove(const std::string&) override { ADD_FAILURE() << "Test removed a file"; }
    std::optional<std::vector<std::string>> list() override {
        if (!failure.empty()) throw SendError(failure);
        return names;
    }
};

CheckAnswer check(const std::string& address, const ListedSite& site, const std::string& warning = "") {
    SiteProfile profile;
    profile.address = address;
    profile.password = "s3cret-word";
    profile.hostKey = "SHA256:pinnedpinnedpinnedpinnedpinnedpinnedpinned";
    return checkSiteWith(profile, [&](std::vector<std::string>& warnings) {
        if (!warning.empty()) warnings.push_back(warning);
        return std::make_unique<ListedSite>(site);
    });
}

} // namespace

TEST(ConnectionCheck, SaysHowManyNamesTheFolderHoldsAndTheFirstFew) {
    ListedSite site;
    site.names = std::vector<std::string>{"scoreboard.html", "images", "boxes"};
    for (int i = 0; i < 211; ++i) site.names->push_back("team-" + std::to_string(i) + ".html");
    CheckAnswer a = check("sftp://league.example.org/public_html/league", site);
    EXPECT_TRUE(a.ok);
    EXPECT_EQ(a.said, "Connected to league.example.org: the folder /public_html/league holds 214 files and folders "
                      "(boxes, images, scoreboard.html, \u2026).");

    site.names = std::vector<std::string>{"index.html"};
    EXPECT_EQ(check("ftps://league.example.org:2121/", site).said,
              "Connected to league.example.org:2121: the folder / holds 1 file or folder (index.html).");
    // A server's control characters do not break the answer's lines.
    site.names = std::vector<std::string>{"b", "a\nline"};
    EXPECT_EQ(check("ftps://h/x", site).said, "Connected to h: the folder /x holds 2 files and folders (a?line, b).");
}

TEST(ConnectionCheck, SaysTheFolderIsEmptyOrNotThereYet) {
    ListedSite site;
    site.names = std::vector<std::string>{};
    EXPECT_EQ(check("sftp://h/www", site).said, "Connected to h: the folder /www is empty.");
    site.names.reset();
    CheckAnswer a = check("sftp://h/www", site);
    EXPECT_TRUE(a.ok);
    EXPECT_EQ(a.said, "Connected to h: the folder /www does not exist yet; the first send makes it.");
}

TEST(ConnectionCheck, ShowsNoSecretAndOffersTheKeyOfARefusedServer) {
    ListedSite site;
    site.names = std::vector<std::string>{};
    // The user and password of the address stay out; warnings follow.
    CheckAnswer a = check("ftp://bob:s3cret-word@h/www", site, "ftp:// sends the password unencrypted");
    EXPECT_EQ(a.said, "Connected to h: the folder /www is empty.\nftp:// sends the password unencrypted");

    site.failure = "the server refused s3cret-word";
    a = check("ftps://h/www", site);
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(a.said.find("s3cret-word"), std::string::npos);

    site.failure = "the server's host key SHA256:seenseenseenseenseenseenseenseenseenseenseen is not the one pinned "
                   "in publish.ini (SHA256:pinnedpinnedpinnedpinnedpinnedpinnedpinned)";
    a = check("sftp://h/www", site);
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(a.fingerprint, "SHA256:seenseenseenseenseenseenseenseenseenseenseen");
}

TEST(ConnectionCheck, ListsAFolderOfThisMachineWithoutMakingIt) {
    const std::filesystem::path folder = vr::testing::makeTemporaryFolder("connection-check");
    std::ofstream(folder / "scoreboard.html") << "x";
    std::filesystem::create_directory(folder / "boxes");
    SiteProfile site;
    site.address = "file://" + folder.string();
    EXPECT_EQ(checkSite(site).said, "The folder " + folder.string() + " holds 2 files and folders (boxes, scoreboard.html).");

    site.address = "file://" + (folder / "later").string();
    CheckAnswer a = checkSite(site);
    EXPECT_TRUE(a.ok);
    EXPECT_EQ(a.said, "The folder " + (folder / "later").string() + " does not exist yet; the first send makes it.");
    EXPECT_FALSE(std::filesystem::exists(folder / "later"));
    std::filesystem::remove_all(folder);
}
