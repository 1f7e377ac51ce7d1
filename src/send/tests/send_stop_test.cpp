// A send asked to stop (a window's GO! or close) stops between two files:
// what went up is recorded, nothing is half there, and the next send
// finishes the job. The window sees each file as it goes.
#include "host/folder_lock.h"
#include "send/send_run.h"
#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vr {
namespace {

namespace fs = std::filesystem;

std::size_t filesIn(const fs::path& folder) {
    std::size_t n = 0;
    if (fs::exists(folder))
        for (const auto& e : fs::recursive_directory_iterator(folder))
            if (e.is_regular_file() && e.path().filename().string().rfind(".vr-sending.", 0) != 0) ++n;
    return n;
}

// A league's html folder and a profile sending it to a folder beside it.
SendRequest folderSend(const fs::path& folder, std::string& remote) {
    fs::create_directories(folder / "html" / "boxes");
    fs::create_directories(folder / "config");
    std::ofstream(folder / "html" / "boxes" / "box245-1.htm") << "box";
    std::ofstream(folder / "html" / "logo.png") << "png";
    std::ofstream(folder / "html" / "scoreboard.html") << "scores";
    remote = (folder / "remote").generic_string();
    if (remote.front() != '/') remote.insert(0, "/"); // C:/... on Windows
    std::ofstream(folder / "config" / "publish.ini") << "[site]\naddress = file://" << remote << "\n";
    SendRequest request;
    request.configFolder = (folder / "config").generic_string();
    request.cacheFolder = (folder / "cache").generic_string();
    request.htmlFolder = (folder / "html").generic_string();
    return request;
}

TEST(SendStop, AStopBetweenTwoFilesLeavesTheRestDueAndTheNextSendFinishes) {
    const fs::path folder = testing::makeTemporaryFolder("send-stop");
    ASSERT_FALSE(folder.empty());
    std::string remote;
    SendRequest request = folderSend(folder, remote);
    std::vector<std::pair<std::size_t, std::size_t>> seen;
    request.onFiles = [&](std::size_t done, std::size_t due) { seen.emplace_back(done, due); };
    request.stopRequested = [&] { return !seen.empty(); };
    SendOutcome outcome = sendDue(request);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_FALSE(outcome.failed());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], std::make_pair(std::size_t{1}, std::size_t{3}));
    EXPECT_EQ(filesIn(folder / "remote"), 1u);

    seen.clear();
    request.stopRequested = {};
    outcome = sendDue(request);
    EXPECT_FALSE(outcome.stopped);
    EXPECT_FALSE(outcome.failed()) << outcome.failures.front();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), std::make_pair(std::size_t{2}, std::size_t{2}));
    EXPECT_EQ(filesIn(folder / "remote"), 3u);
    EXPECT_EQ(outcome.siteShown, "file://" + remote);
    fs::remove_all(folder);
}

// A second send to the same destinations waits for the first, and still
// stops when asked.
TEST(SendStop, ASecondSendWaitsForTheFirstAndHearsAStop) {
    const fs::path folder = testing::makeTemporaryFolder("send-hold");
    ASSERT_FALSE(folder.empty());
    std::string remote;
    SendRequest request = folderSend(folder, remote);
    fs::create_directories(folder / "cache");
    HostLock first = kNoHostLock;
    if (lockHostFolder(request.cacheFolder, 0, first) != LockOutcome::Held) GTEST_SKIP() << "no folder locks here";
    int asked = 0;
    request.stopRequested = [&] { return ++asked >= 3; };
    const SendOutcome waited = sendDue(request);
    EXPECT_TRUE(waited.stopped);
    EXPECT_GE(asked, 3);
    EXPECT_EQ(filesIn(folder / "remote"), 0u);
    unlockHostFolder(first);
    request.stopRequested = {};
    const SendOutcome sent = sendDue(request);
    EXPECT_FALSE(sent.stopped || sent.failed());
    EXPECT_EQ(filesIn(folder / "remote"), 3u);
    fs::remove_all(folder);
}

} // namespace
} // namespace vr
