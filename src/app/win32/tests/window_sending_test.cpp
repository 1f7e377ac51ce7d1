// Sending beside the Win32 window, with a fake sender behind the seam: the
// status line after GO!, the files as they go, where they went, a failure
// in red that a click shows whole, GO! and closing during a send, and no
// line without a profile. The sending dialog: OK writes the profile,
// Cancel nothing.
#include "app/win32/send_dialog.h"
#include "app/win32/tests/window_test_support.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>

namespace vr::win32::test {
namespace {

// Sends `files` files, each only once the test lets it, and stops between
// two when asked, as the real sender does.
struct FakeSending {
    std::mutex mutex;
    int allowed = 0;
    int files = 5;
    bool fail = false;
    std::atomic<int> calls{0}, stopped{0};

    void allow(int n) {
        std::lock_guard<std::mutex> lock(mutex);
        allowed = n;
    }
    SendOutcome send(const SendRequest& request) {
        ++calls;
        SendOutcome outcome;
        outcome.configured = true;
        for (int i = 1; i <= files; ++i) {
            for (;;) {
                {
                    std::lock_guard<std::mutex> lock(mutex);
                    if (allowed >= i) break;
                }
                if (request.stopRequested()) {
                    ++stopped;
                    outcome.stopped = true;
                    return outcome;
                }
                Sleep(5);
            }
            request.onFiles(static_cast<std::size_t>(i), static_cast<std::size_t>(files));
        }
        if (fail) {
            outcome.failures.push_back("Sending to sftp://league.example.org failed: the login was refused. " +
                                       std::string(kSentNextTime));
            return outcome;
        }
        outcome.siteShown = "sftp://league.example.org/public_html/league";
        outcome.discordMessages = 3;
        return outcome;
    }
};

std::string windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return wideToUtf8(text);
}

class WindowSending : public ::testing::Test {
protected:
    void TearDown() override {
        fake->allow(1000);
        window.reset();
        league.reset();
    }
    void withProfile() { writeFile(config / "publish.ini", "[site]\naddress = sftp://league.example.org/x\n"); }
    void open() {
        league = std::make_unique<LeagueFolder>(hostFileSystem(), copy.drive());
        window = std::make_unique<MainWindow>(*league);
        std::shared_ptr<FakeSending> f = fake;
        window->useSender([f](const SendRequest& r) { return f->send(r); }, [] { return std::string("18:42"); });
        ASSERT_TRUE(window->load());
        window->show(SW_SHOWNORMAL);
        settle(*window);
    }
    void go() {
        SendMessageW(findByName(window->handle(), "CmdGo"), BM_CLICK, 0, 0);
        settle(*window);
    }
    // Lets the window handle its messages until `done` or 5 s.
    bool waitFor(const std::function<bool()>& done) {
        for (int i = 0; i < 250 && !done(); ++i) settle(*window);
        return done();
    }
    std::string shown() { return window->statusLine() ? windowText(window->statusLine()) : std::string(); }

    LeagueCopy copy;
    ConfigFolder folder{"vr-send-config"};
    const fs::path& config = folder.path();
    std::shared_ptr<FakeSending> fake = std::make_shared<FakeSending>();
    std::unique_ptr<LeagueFolder> league;
    std::unique_ptr<MainWindow> window;
};

TEST_F(WindowSending, WithoutAProfileNothingIsSentAndNoLineShows) {
    VR_NEED_LEAGUE(copy);
    open();
    go();
    EXPECT_EQ(fake->calls.load(), 0);
    EXPECT_EQ(window->statusLine(), nullptr);
    EXPECT_EQ(findByName(window->handle(), "StatusLine"), nullptr);
}

TEST_F(WindowSending, PublishedThenSendingThenSentAndClearOfTheControls) {
    VR_NEED_LEAGUE(copy);
    withProfile();
    fake->files = 340; // a season's first send, as the user sees it go
    open();
    go();
    ASSERT_NE(window->statusLine(), nullptr);
    EXPECT_EQ(shown().rfind("Published ", 0), 0u) << shown();
    EXPECT_NE(shown().find(" \u00b7 "), std::string::npos) << shown();
    const RECT line = boxOf(window->statusLine());
    for (std::size_t i = 0; i < layout::kControlCount; ++i) {
        RECT c = boxOf(window->control(i)), overlap;
        EXPECT_FALSE(IntersectRect(&overlap, &c, &line)) << layout::kControls[i].name;
    }
    savePicture(window->handle(), "window-sending-published");
    fake->allow(120);
    EXPECT_TRUE(waitFor([&] { return shown() == "Sending 120 of 340 files\u2026"; })) << shown();
    savePicture(window->handle(), "window-sending-sending");
    fake->allow(340);
    EXPECT_TRUE(waitFor([&] { return shown() == "Sent to league.example.org at 18:42 \u00b7 Discord: 3 messages"; }))
        << shown();
    savePicture(window->handle(), "window-sending-sent");
}

TEST_F(WindowSending, AFailureIsOneRedLineAndAClickShowsItWhole) {
    VR_NEED_LEAGUE(copy);
    withProfile();
    fake->fail = true;
    fake->allow(5);
    open();
    MessageBoxes boxes;
    go();
    ASSERT_TRUE(waitFor([&] { return window->sendStatus().failure; }));
    settle(*window);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(shown().rfind("Sending to sftp://league.example.org failed", 0), 0u) << shown();
    savePicture(window->handle(), "window-sending-failed");
    // Drawn in red on the window's navy.
    const RECT line = boxOf(window->statusLine());
    bool red = false;
    for (int x = line.left; x < line.right && !red; ++x)
        for (int y = line.top; y < line.bottom && !red; ++y)
            red = pixelAt(window->handle(), x, y) == rgb(layout::kStatusFailure);
    EXPECT_TRUE(red);
    SendMessageW(window->handle(), WM_COMMAND, MAKEWPARAM(kStatusLineId, STN_CLICKED),
                 reinterpret_cast<LPARAM>(window->statusLine()));
    settle(*window);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_NE(boxes.shown()[0].text.find(kSentNextTime), std::string::npos);
}

TEST_F(WindowSending, GoDuringASendStopsItAndSendsAgain) {
    VR_NEED_LEAGUE(copy);
    withProfile();
    open();
    go();
    fake->allow(1);
    ASSERT_TRUE(waitFor([&] { return shown() == "Sending 1 of 5 files\u2026"; })) << shown();
    go();
    EXPECT_EQ(fake->stopped.load(), 1);
    EXPECT_TRUE(waitFor([&] { return fake->calls.load() == 2; }));
    fake->allow(5);
    EXPECT_TRUE(waitFor([&] { return shown().rfind("Sent to", 0) == 0; })) << shown();
}

TEST_F(WindowSending, ClosingDuringASendStopsItAndTheWindowCloses) {
    VR_NEED_LEAGUE(copy);
    withProfile();
    open();
    go();
    fake->allow(1);
    ASSERT_TRUE(waitFor([&] { return shown() == "Sending 1 of 5 files\u2026"; })) << shown();
    const auto started = std::chrono::steady_clock::now();
    SendMessageW(window->handle(), WM_CLOSE, 0, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
    EXPECT_EQ(fake->stopped.load(), 1);
    EXPECT_EQ(window->handle(), nullptr);
}

// The dialog, driven through its controls from a second thread while the
// window's thread waits in it: OK writes the profile, Cancel nothing.
TEST_F(WindowSending, TheDialogWritesOnOkAndNothingOnCancel) {
    auto drive = [](bool ok) {
        return std::thread([ok] {
            HWND dialog = nullptr;
            // Once it shows, its fields are made and filled.
            for (int i = 0; i < 500 && !(dialog && IsWindowVisible(dialog)); ++i, Sleep(10))
                dialog = FindWindowW(L"#32770", L"Sending");
            if (!dialog) return;
            SetDlgItemTextW(dialog, kServerId, L"league.example.org");
            SetDlgItemTextW(dialog, kFolderId, L"/public_html");
            SetDlgItemTextW(dialog, kUserId, L"commish");
            SetDlgItemTextW(dialog, kPasswordId, L"s3cret-word");
            PostMessageW(dialog, WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
        });
    };
    std::thread cancel = drive(false);
    EXPECT_FALSE(showSendDialog(nullptr));
    cancel.join();
    EXPECT_FALSE(fs::exists(config / "publish.ini"));

    std::thread ok = drive(true);
    EXPECT_TRUE(showSendDialog(nullptr));
    ok.join();
    const std::string text = readFile(config / "publish.ini");
    EXPECT_NE(text.find("address = sftp://league.example.org/public_html\n"), std::string::npos) << text;
    EXPECT_NE(text.find("password = dpapi:"), std::string::npos) << text;
    EXPECT_EQ(text.find("s3cret-word"), std::string::npos);
}

} // namespace
} // namespace vr::win32::test
