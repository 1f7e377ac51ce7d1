// GO! in the window: red while the run holds the window, green after it,
// the score list and the files exactly as the headless run makes them; a
// rejected period writes nothing and keeps the window; any other stop ends
// it with status 1; Exit, Enter, Space and Alt+F4 end it with 0.
#include "app/headless.h"
#include "app/win32/tests/window_test_support.h"

#include <sstream>

namespace vr::win32::test {
namespace {

class WindowGo : public ::testing::Test {
protected:
    // Opens the window on the host's files, or on `files` kept for as long
    // as the window's league.
    void open(std::unique_ptr<FileSystem> files = nullptr) {
        window.reset();
        league.reset();
        if (files) watched = std::move(files);
        league = std::make_unique<LeagueFolder>(watched ? *watched : hostFileSystem(), copy.drive());
        window = std::make_unique<MainWindow>(*league);
        ASSERT_TRUE(window->load());
        window->show(SW_SHOWNORMAL);
        settle(*window);
    }
    void click(const char* name) {
        SendMessageW(findByName(window->handle(), name), BM_CLICK, 0, 0);
        settle(*window);
    }
    COLORREF goPixel() {
        const RECT r = boxOf(findByName(window->handle(), "CmdGo"));
        return pixelAt(window->handle(), r.left + 5, r.top + 5);
    }
    std::vector<std::string> scoreList() {
        HWND list = findByName(window->handle(), "LstScores");
        std::vector<std::string> lines;
        const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring line(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            line.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
            lines.push_back(wideToUtf8(line));
        }
        return lines;
    }
    void type(const char* name, const char* text) {
        SetWindowTextW(findByName(window->handle(), name), toWide(text).c_str());
    }

    LeagueCopy copy;
    std::unique_ptr<FileSystem> watched;
    std::unique_ptr<LeagueFolder> league;
    std::unique_ptr<MainWindow> window;
};

TEST_F(WindowGo, RedWhileRunningThenGreenAndTheHeadlessRunsFiles) {
    VR_NEED_LEAGUE(copy);
    std::vector<COLORREF> duringRun;
    open(std::make_unique<WatchedFiles>("leagueschedule.htm", [&] { duringRun.push_back(goPixel()); }));
    EXPECT_EQ(goPixel(), rgb(layout::kGreen));
    MessageBoxes boxes;
    click("CmdGo");

    ASSERT_EQ(duringRun.size(), 1u);
    EXPECT_EQ(duringRun[0], rgb(layout::kRed));
    EXPECT_EQ(goPixel(), rgb(layout::kGreen));
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(IsWindowVisible(window->handle()));

    // The same league through the headless run.
    LeagueCopy headless;
    std::ostringstream out, err;
    ASSERT_EQ(runHeadless({"--run"}, out, err, hostFileSystem(), headless.drive()), 0) << err.str();
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    EXPECT_FALSE(lines.empty());
    EXPECT_EQ(scoreList(), lines);
    const auto windowFiles = copy.contents();
    EXPECT_EQ(windowFiles, headless.contents());
    EXPECT_TRUE(windowFiles.count("html/scoreboard.html"));

    // A second run adds its lines below the first.
    click("CmdGo");
    EXPECT_EQ(scoreList().size(), 2 * lines.size());
    EXPECT_EQ(window->status(), 0);
}

TEST_F(WindowGo, RejectedPeriodWritesNothingAndTheWindowStays) {
    VR_NEED_LEAGUE(copy);
    bool opened = false;
    open(std::make_unique<WatchedFiles>("leagueschedule.htm", [&] { opened = true; }));
    type("TxtMessage", "edited, not saved");
    type("TxtDaysSimmed", "x");
    const auto before = copy.contents();
    MessageBoxes boxes;
    click("CmdGo");

    const auto shown = boxes.shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].warning);
    EXPECT_EQ(shown[0].text, "Type mismatch: Number of days that were ran during the last sim period must be a whole number; you typed 'x'");
    EXPECT_EQ(copy.contents(), before);
    EXPECT_FALSE(opened);
    EXPECT_TRUE(IsWindow(window->handle()) && IsWindowVisible(window->handle()));
    EXPECT_EQ(goPixel(), rgb(layout::kGreen));

    // Mended, the same window runs.
    type("TxtDaysSimmed", "3");
    click("CmdGo");
    EXPECT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(opened);
    EXPECT_NE(readFile(copy.league() / "settings2.txt").find("edited, not saved\r\n"), std::string::npos);
}

TEST_F(WindowGo, AnyOtherStopShowsAnErrorAndEndsWithOne) {
    VR_NEED_LEAGUE(copy);
    open();
    fs::remove(copy.league() / "html" / "leagueschedule.htm");
    MessageBoxes boxes;
    click("CmdGo");

    const auto shown = boxes.shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_FALSE(shown[0].warning);
    EXPECT_EQ(shown[0].text.rfind("File not found: html\\leagueschedule.htm", 0), 0u) << shown[0].text;
    EXPECT_FALSE(window->handle());
    EXPECT_EQ(window->status(), 1);
    EXPECT_FALSE(window->handleNext());
}

TEST_F(WindowGo, StopAtTheWindowLoadShowsAnErrorBeforeTheWindow) {
    VR_NEED_LEAGUE(copy);
    fs::remove(copy.league() / "html" / "standings.htm");
    LeagueFolder folder(hostFileSystem(), copy.drive());
    MessageBoxes boxes;
    EXPECT_EQ(runWindowOn(folder, SW_SHOWNORMAL), 1);
    const auto shown = boxes.shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_FALSE(shown[0].warning);
    EXPECT_EQ(shown[0].text.rfind("File not found: html\\standings.htm", 0), 0u) << shown[0].text;
}

TEST_F(WindowGo, ExitEnterSpaceAndAltF4EndWithZero) {
    VR_NEED_LEAGUE(copy);
    open();
    click("CmdExit");
    EXPECT_FALSE(window->handle());
    EXPECT_EQ(window->status(), 0);
    // Closing without GO! keeps the settings as they were.
    EXPECT_EQ(readFile(copy.league() / "settings2.txt"), "http://www.marrowdeen.example/\r\n\r\n");

    for (WORD key : {WORD(VK_RETURN), WORD(VK_SPACE)}) {
        open();
        SetFocus(findByName(window->handle(), "CmdExit"));
        pressKeys({key});
        settle(*window);
        EXPECT_FALSE(window->handle()) << key;
        EXPECT_EQ(window->status(), 0);
    }

    open();
    pressKeys({VK_MENU, VK_F4});
    settle(*window);
    EXPECT_FALSE(window->handle());
    EXPECT_EQ(window->status(), 0);
}

} // namespace
} // namespace vr::win32::test
