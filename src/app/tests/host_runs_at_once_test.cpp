// Two headless runs started together on the full-season league, one
// publishing three days and the other one: the second waits for the first,
// so every publication is the complete output of one run, all of the same.
#include "app/headless.h"
#include "testsupport/generated_league.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <map>
#include <sstream>

namespace vr {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

const char* const kPublications[] = {"teams.txt",  "teaminfo.txt", "schedfile.txt", "Upsets.txt",
                                     "TopResults.txt", "Test.txt", "~daily.txt",    "html/scoreboard.html"};

#ifndef _WIN32
int runHeadlessOn(const testing::GeneratedDrive& drive, const char* days) {
    std::ostringstream out, err;
    return runHeadless({"--run", "--no-index", "--days", days}, out, err, hostFileSystem(), drive.drive().string());
}

Files publications(const testing::GeneratedDrive& drive) {
    Files files;
    for (const char* name : kPublications) files[name] = drive.bytes(name);
    return files;
}
#endif

TEST(RunsAtOnce, EachPublicationSetIsOneRunsWhole) {
#ifdef _WIN32
    GTEST_SKIP() << "starts its two runs with fork(2), which Windows lacks";
#else
    testing::GeneratedDrive drive("--preset full --seed 13");
    if (!drive.ready()) GTEST_SKIP() << "the sample-league generator is not built";
    ASSERT_EQ(drive.error(), "");
    ASSERT_EQ(runHeadlessOn(drive, "3"), 0);
    const Files three = publications(drive);
    ASSERT_EQ(runHeadlessOn(drive, "1"), 0);
    const Files one = publications(drive);
    ASSERT_NE(three.at("Test.txt"), one.at("Test.txt"));

    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // Both children wait on one pipe, so that they start together.
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        pid_t children[2];
        for (int i = 0; i < 2; ++i) {
            children[i] = ::fork();
            if (children[i] == 0) {
                ::close(start[1]);
                char go;
                if (::read(start[0], &go, 1) != 0) ::_exit(3);
                ::_exit(runHeadlessOn(drive, i == 0 ? "3" : "1"));
            }
        }
        ::close(start[0]);
        ::close(start[1]); // both read the end of the pipe at once
        for (pid_t child : children) {
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        }
        const Files now = publications(drive);
        EXPECT_TRUE(now == three || now == one) << "the publications mix the two runs";
        for (const auto& entry : fs::recursive_directory_iterator(drive.file("")))
            EXPECT_NE(entry.path().extension(), ".new") << entry.path();
    }
#endif
}

} // namespace
} // namespace vr
