// The text boxes hold Windows-1252 bytes through the program's own table:
// what the window load puts in comes back out byte for byte, characters
// outside the code page become "?", and pasted line ends become spaces.
#include "app/win32/tests/window_test_support.h"

namespace vr::win32::test {
namespace {

TEST(WideText, CodePageBytesRoundTripAndOthersBecomeQuestionMarks) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(fromWide(toWide(all)), all);
    EXPECT_EQ(toWide("\x80\x81\xe9"), L"\u20ac\u0081\u00e9");
    EXPECT_EQ(fromWide(L"a\u0100b\U0001F600c"), "a?b?c");
    EXPECT_EQ(wideToUtf8(utf8ToWide("caf\xc3\xa9 \xf0\x9f\x98\x80")), "caf\xc3\xa9 \xf0\x9f\x98\x80");
    EXPECT_EQ(utf8ToWide("a\xff" "b"), L"a\uFFFDb");
}

class WindowText : public ::testing::Test {
protected:
    void SetUp() override {
        VR_NEED_LEAGUE(copy);
        league = std::make_unique<LeagueFolder>(hostFileSystem(), copy.drive());
        window = std::make_unique<MainWindow>(*league);
    }
    LeagueCopy copy;
    std::unique_ptr<LeagueFolder> league;
    std::unique_ptr<MainWindow> window;
};

TEST_F(WindowText, SettingsComeBackByteForByte) {
    const std::string settings("caf\xe9 \x81\x8d\x8f\x90\x9d, \"quoted\"\r\n\x80 message, too\r\n");
    writeFile(copy.league() / "settings2.txt", settings);
    ASSERT_TRUE(window->load());
    EXPECT_EQ(window->text(TextBox::Website), "caf\xe9 \x81\x8d\x8f\x90\x9d, \"quoted\"");
    EXPECT_EQ(window->text(TextBox::Message), "\x80 message, too");
    window->show(SW_SHOWNORMAL);
    settle(*window);
    SendMessageW(findByName(window->handle(), "CmdGo"), BM_CLICK, 0, 0);
    settle(*window);
    EXPECT_EQ(readFile(copy.league() / "settings2.txt"), settings);
}

TEST_F(WindowText, TypedAndPastedText) {
    HWND message = findByName(window->handle(), "TxtMessage");
    SetWindowTextW(message, L"\u0100\u20ac");
    EXPECT_EQ(window->text(TextBox::Message), "?\x80");

    // A pasted line end would end the one line: it becomes a space.
    const std::wstring pasted = L"two\r\nlines";
    ASSERT_TRUE(OpenClipboard(window->handle()));
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
    std::copy(pasted.c_str(), pasted.c_str() + pasted.size() + 1, static_cast<wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
    SetWindowTextW(message, L"");
    SendMessageW(message, WM_PASTE, 0, 0);
    EXPECT_EQ(window->text(TextBox::Message), "two  lines");

    // The website and the message take a whole long line.
    const std::string longLine(70000, 'w');
    window->setText(TextBox::Website, longLine);
    EXPECT_EQ(window->text(TextBox::Website), longLine);
    EXPECT_EQ(SendMessageW(findByName(window->handle(), "TxtWebsite"), EM_GETLIMITTEXT, 0, 0),
              layout::kLongTextLength);
}

// The one league in leaguedata, named beyond ASCII: the system's wide name
// reaches the title as the user wrote it.
TEST(WindowTitle, NamesAnotherLeagueAsItsFolderIsNamed) {
    LeagueCopy copy;
    VR_NEED_LEAGUE(copy);
    const fs::path accented = copy.league().parent_path() / L"Ligue \u00c9b\u00e8ne";
    fs::rename(copy.league(), accented);
    LeagueFolder league(hostFileSystem(), copy.drive());
    MainWindow window(league);
    ASSERT_TRUE(window.load());
    wchar_t title[64] = {};
    GetWindowTextW(findByName(window.handle(), "LblTitle"), title, 64);
    EXPECT_EQ(std::wstring(title), L"Ligue \u00c9b\u00e8ne");
    EXPECT_EQ(league.leagueName(), "Ligue \xC9" "b\xE8" "ne");
}

} // namespace
} // namespace vr::win32::test
