// Ctrl+C, Ctrl+Break and a close request on Windows: each becomes a request
// to end that the run takes where it may, and that ends the host's waits.
#include "host/end_signals.h"
#include "host/windows_end_signals.h"
#include "testsupport/temporary_folder.h"
#include "text/end_request.h"
#include "text/file_system.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

namespace vr {
namespace {

class WindowsEndSignals : public ::testing::Test {
protected:
    void SetUp() override {
        catchEndSignals();
        forgetEndRequest();
    }
    void TearDown() override { forgetEndRequest(); }
};

TEST_F(WindowsEndSignals, CtrlBreakFromTheConsoleIsARequestToEnd) {
    // The console calls the handler on a thread of its own. A program
    // started without a console is given one to send the event through.
    bool sent = GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0);
    const DWORD first = GetLastError();
    if (!sent && FreeConsole() && AllocConsole()) sent = GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0);
    if (!sent)
        GTEST_SKIP() << "no console passes Ctrl+Break on here (errors " << first << ", " << GetLastError() << ")";
    ASSERT_EQ(WaitForSingleObject(endRequestEvent(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(endRequestedBy(), SIGBREAK);
    EXPECT_STREQ(endSignalName(endRequestedBy()), "Ctrl+Break");
    EXPECT_THROW(checkEnd(), EndRequested);
}

TEST_F(WindowsEndSignals, TheFirstRequestIsKeptAndPutOffWhileFilesArePutInPlace) {
    askToEnd(SIGINT);
    askToEnd(SIGTERM);
    EXPECT_EQ(WaitForSingleObject(endRequestEvent(), 0), WAIT_OBJECT_0);
    EXPECT_STREQ(endSignalName(endRequestedBy()), "Ctrl+C");
    {
        EndDeferred finishing;
        EXPECT_NO_THROW(checkEnd());
    }
    EXPECT_THROW(checkEnd(), EndRequested);
    forgetEndRequest();
    EXPECT_EQ(WaitForSingleObject(endRequestEvent(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_NO_THROW(checkEnd());
}

TEST_F(WindowsEndSignals, ARunWaitingForTheLeagueFolderEndsAtOnce) {
    const std::filesystem::path folder = testing::makeTemporaryFolder("vr-end");
    ASSERT_FALSE(folder.empty());
    FileSystem& host = hostFileSystem();
    FileSystem::Lock held = FileSystem::kNoLock, waiting = FileSystem::kNoLock;
    ASSERT_TRUE(host.lockFolder(folder.string(), 0, held));
    std::thread closer([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        askToEnd(SIGTERM);
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(host.lockFolder(folder.string(), 60000, waiting), EndRequested);
    closer.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(waiting, FileSystem::kNoLock);
    host.unlockFolder(held);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

} // namespace
} // namespace vr
