// When the publications are sent on: after a run that put them in place,
// never after one that stopped; --no-send and --send; status 3 when a send
// fails; the watch trying a failed send again after growing pauses. The
// destination is a folder (file://), which takes the same rules as a server.
#include "host/watch_clock.h"
#include "app/headless.h"
#include "testsupport/fixed_clock.h"
#include "testsupport/generated_league.h"
#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vr {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLeague = "--preset demo --last-simulated-day ";

// A profile and a cache folder of the test's own, the environment as it was
// afterwards.
class Profile {
public:
    explicit Profile(const std::string& site) : folder_(testing::makeTemporaryFolder("sending")) {
        for (const char* name : {"VELLOR_CONFIG_DIR", "VELLOR_CACHE_DIR"})
            if (const char* v = std::getenv(name)) saved_.emplace_back(name, v);
        ::setenv("VELLOR_CONFIG_DIR", folder_.string().c_str(), 1);
        ::setenv("VELLOR_CACHE_DIR", (folder_ / "cache").string().c_str(), 1);
        std::ofstream(folder_ / "publish.ini") << "[site]\naddress = file://" << site << "\n";
    }
    ~Profile() {
        ::unsetenv("VELLOR_CONFIG_DIR");
        ::unsetenv("VELLOR_CACHE_DIR");
        for (const auto& [name, value] : saved_) ::setenv(name.c_str(), value.c_str(), 1);
        fs::remove_all(folder_);
    }
    const fs::path& folder() const { return folder_; }

private:
    fs::path folder_;
    std::vector<std::pair<std::string, std::string>> saved_;
};

std::size_t filesIn(const fs::path& folder) {
    std::size_t n = 0;
    if (fs::exists(folder))
        for (const auto& e : fs::recursive_directory_iterator(folder)) n += e.is_regular_file();
    return n;
}

// A folder that cannot be made: a file stands in its place.
fs::path blockedFolder(const testing::GeneratedDrive& league) {
    const fs::path blocked = league.drive() / "blocked";
    std::ofstream(blocked) << "x";
    return blocked;
}

TEST(Sending, AfterARunThatPublishedNeverAfterOneThatStoppedAndNotWithNoSend) {
    testing::GeneratedDrive league(std::string(kLeague) + "249");
    if (!league.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(league.error(), "");
    const fs::path site = testing::makeTemporaryFolder("site") / "league";
    Profile profile(site.string());
    const std::string drive = league.drive().string();

    std::ostringstream out, err;
    testing::FixedClock clock;
    EXPECT_EQ(runHeadless({"--run", "--no-send"}, out, err, hostFileSystem(), drive, &clock), 0) << err.str();
    EXPECT_EQ(err.str(), std::string(testing::kFixedTime) + " published days 247-249: 36 games\n");
    EXPECT_FALSE(fs::exists(site));

    err.str("");
    EXPECT_EQ(runHeadless({"--run"}, out, err, hostFileSystem(), drive), 0) << err.str();
    const std::size_t html = filesIn(league.file("html"));
    EXPECT_EQ(filesIn(site), html);
    EXPECT_NE(err.str().find("sent to file://" + site.string() + ": " + std::to_string(html) + " files"),
              std::string::npos)
        << err.str();

    // A run that stops sends nothing; --send sends what is due, and only that.
    std::ofstream(league.file("html/extra.html")) << "<p>new</p>";
    fs::remove(league.file("html/rosters/roster3.htm"));
    err.str("");
    EXPECT_EQ(runHeadless({"--run"}, out, err, hostFileSystem(), drive), 1);
    EXPECT_EQ(err.str().find("sent"), std::string::npos) << err.str();
    EXPECT_FALSE(fs::exists(site / "extra.html"));
    err.str("");
    EXPECT_EQ(runHeadless({"--send"}, out, err, hostFileSystem(), drive), 0) << err.str();
    EXPECT_NE(err.str().find(": 1 file, "), std::string::npos) << err.str();
    EXPECT_TRUE(fs::exists(site / "extra.html"));
    EXPECT_TRUE(fs::exists(site / "rosters/roster3.htm")); // nothing on the remote is deleted
    fs::remove_all(site.parent_path());

    EXPECT_EQ(runHeadless({"--send", "--run"}, out, err, hostFileSystem(), drive), 2);
    EXPECT_EQ(runHeadless({"--no-send"}, out, err, hostFileSystem(), drive), 2);
}

TEST(Sending, AFailedSendIsStatusThreeWithThePublicationsInPlace) {
    testing::GeneratedDrive league(std::string(kLeague) + "249");
    if (!league.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(league.error(), "");
    const fs::path blocked = blockedFolder(league);
    Profile profile((blocked / "site").string());
    std::ostringstream out, err;
    EXPECT_EQ(runHeadless({"--run"}, out, err, hostFileSystem(), league.drive().string()), 3);
    EXPECT_NE(err.str().find("Sending to file://" + (blocked / "site").string() + " failed: "), std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("the next run sends what is due"), std::string::npos) << err.str();
    EXPECT_TRUE(fs::exists(league.file("html/scoreboard.html")));
    EXPECT_TRUE(fs::exists(league.file("html/seasons/2009-10/scoreboard-day249.html")));
}

class FakeClock final : public WatchClock {
public:
    double t = 0;
    std::function<void(FakeClock&)> onSleep;
    double now() override { return t; }
    std::string localTime() override { return "06:31"; }
    void sleep(double seconds) override {
        t += seconds;
        if (onSleep) onSleep(*this);
    }
    bool endRequested() override { return end; }
    bool end = false;
};

TEST(Sending, TheWatchTriesAFailedSendAgainAfterGrowingPausesWithoutANewExport) {
    testing::GeneratedDrive league(std::string(kLeague) + "249");
    if (!league.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(league.error(), "");
    const fs::path blocked = blockedFolder(league);
    Profile profile((blocked / "site").string());
    FakeClock clock;
    clock.onSleep = [&](FakeClock& c) {
        // Mended after the third failure: the fourth try sends.
        if (c.t == 400) {
            fs::remove(blocked);
            fs::create_directory(blocked);
        }
        if (c.t >= 1000) c.end = true;
    };
    std::ostringstream out, err;
    EXPECT_EQ(runHeadless({"--watch", "--settle", "0", "--no-index"}, out, err, hostFileSystem(),
                          league.drive().string(), &clock),
              0);
    const std::string text = out.str();
    auto count = [&](const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("published days 247-249"), 1u) << text;
    EXPECT_EQ(count(" failed: "), 3u) << text;
    EXPECT_EQ(count("06:31 sending again in 1 minute\n"), 1u) << text;
    EXPECT_EQ(count("06:31 sending again in 2 minutes\n"), 1u) << text;
    EXPECT_EQ(count("06:31 sending again in 4 minutes\n"), 1u) << text;
    EXPECT_EQ(count("06:31 sent to file://"), 1u) << text;
    EXPECT_EQ(filesIn(blocked / "site"), filesIn(league.file("html")));
}

} // namespace
} // namespace vr
