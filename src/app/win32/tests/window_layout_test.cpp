// The window as laid out: its controls by name with their boxes at 96 and
// 144 dpi, fonts that never clip a caption, the keyboard's order and the
// colours as drawn.
#include "app/win32/tests/window_test_support.h"
#include "app/win32/window_look.h"

namespace vr::win32::test {
namespace {

using layout::kControls;

class WindowLayout : public ::testing::Test {
protected:
    void SetUp() override {
        VR_NEED_LEAGUE(copy);
        league = std::make_unique<LeagueFolder>(hostFileSystem(), copy.drive());
        window = std::make_unique<MainWindow>(*league);
        ASSERT_TRUE(window->load());
        window->show(SW_SHOWNORMAL);
        settle(*window);
    }
    LeagueCopy copy;
    std::unique_ptr<LeagueFolder> league;
    std::unique_ptr<MainWindow> window;
};

TEST_F(WindowLayout, ControlsByNameWhereTheLayoutPutsThem) {
    HWND hwnd = window->handle();
    wchar_t text[64] = {};
    GetClassNameW(hwnd, text, 64);
    EXPECT_EQ(wideToUtf8(text), "Vellor_Results");
    GetWindowTextW(hwnd, text, 64);
    EXPECT_EQ(wideToUtf8(text), "Vellor Results");
    EXPECT_EQ(window->dpi(), 96) << "the test expects a 96 dpi screen";
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 609);
    EXPECT_EQ(client.bottom, 739);
    // Fixed size: no sizing border, no maximize box.
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);

    for (const layout::Control& c : kControls) {
        HWND control = findByName(hwnd, c.name);
        ASSERT_TRUE(control) << c.name;
        const RECT r = boxOf(control);
        EXPECT_EQ(r.left, c.box.left / 15) << c.name;
        EXPECT_EQ(r.top, c.box.top / 15) << c.name;
        EXPECT_EQ(r.right - r.left, c.box.width / 15) << c.name;
        EXPECT_EQ(r.bottom - r.top, c.box.height / 15) << c.name;
        if (c.kind == layout::Kind::Label || c.kind == layout::Kind::Button) {
            GetWindowTextW(control, text, 64);
            EXPECT_EQ(wideToUtf8(text), c.caption);
        }
    }
    // TxtWebsite lies above Label1, whose box reaches into it.
    HWND label1 = findByName(hwnd, "Label1");
    HWND website = findByName(hwnd, "TxtWebsite");
    bool websiteFirst = false;
    for (HWND h = GetWindow(hwnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h == website) websiteFirst = true;
        if (h == label1) break;
    }
    EXPECT_TRUE(websiteFirst);
}

TEST_F(WindowLayout, FontsFitTheirBoxesAndFollowTheDpi) {
    auto check = [&](int dpi) {
        HDC dc = GetDC(window->handle());
        for (std::size_t i = 0; i < layout::kControlCount; ++i) {
            const layout::Control& c = kControls[i];
            if (c.kind != layout::Kind::Label && c.kind != layout::Kind::Button) continue;
            HWND control = window->control(i);
            const RECT box = boxOf(control);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
            const std::wstring caption = toWide(c.caption);
            RECT r{0, 0, box.right - box.left, 0};
            DrawTextW(dc, caption.c_str(), -1, &r,
                      DT_CALCRECT | DT_NOPREFIX | (c.kind == layout::Kind::Button ? DT_SINGLELINE : DT_WORDBREAK));
            TEXTMETRICW tm;
            GetTextMetricsW(dc, &tm);
            SelectObject(dc, old);
            EXPECT_LE(r.right, box.right - box.left) << c.name << " at " << dpi;
            EXPECT_LE(r.bottom, box.bottom - box.top) << c.name << " at " << dpi;
            // The point size, or a little less for a stand-in that would clip.
            const int pixels = layout::fontPixels(c.centipoints, dpi);
            EXPECT_LE(tm.tmHeight - tm.tmInternalLeading, pixels + 1) << c.name << " at " << dpi;
            EXPECT_GE(tm.tmHeight - tm.tmInternalLeading, pixels * 3 / 4) << c.name << " at " << dpi;
        }
        ReleaseDC(window->handle(), dc);
    };
    check(96);

    // Moved onto a 144 dpi monitor, everything grows by half.
    RECT suggested{100, 50, 1100, 1250};
    SendMessageW(window->handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    settle(*window);
    EXPECT_EQ(window->dpi(), 144);
    RECT client;
    GetClientRect(window->handle(), &client);
    EXPECT_EQ(client.right, 913);
    EXPECT_EQ(client.bottom, 1108);
    const RECT list = boxOf(findByName(window->handle(), "LstScores"));
    EXPECT_EQ(list.left, 12);
    EXPECT_EQ(list.top, 264);
    EXPECT_EQ(list.right - list.left, 889);
    check(144);
}

TEST_F(WindowLayout, TabAndShiftTabFollowTheLayoutsOrder) {
    EXPECT_EQ(nameOf(GetFocus()), "TxtLastDay");
    const std::vector<std::string> order{"TxtDaysSimmed", "CmdGo", "LstScores", "CmdExit",
                                         "TxtWebsite", "TxtMessage", "TxtLastDay"};
    for (const std::string& next : order) {
        pressKeys({VK_TAB});
        settle(*window);
        EXPECT_EQ(nameOf(GetFocus()), next);
    }
    pressKeys({VK_SHIFT, VK_TAB});
    settle(*window);
    EXPECT_EQ(nameOf(GetFocus()), "TxtMessage");
    // Reached by the keyboard, a text box has its text selected.
    DWORD from = 1, to = 0;
    SendMessageW(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
}

TEST_F(WindowLayout, ColoursAsDrawn) {
    HWND hwnd = window->handle();
    auto inside = [&](const char* name, int dx, int dy) {
        const RECT r = boxOf(findByName(hwnd, name));
        return pixelAt(hwnd, dx >= 0 ? r.left + dx : r.right + dx, dy >= 0 ? r.top + dy : r.bottom + dy);
    };
    EXPECT_EQ(pixelAt(hwnd, 4, 4), rgb(layout::kNavy));
    EXPECT_EQ(pixelAt(hwnd, 300, 725), rgb(layout::kNavy));
    EXPECT_EQ(inside("LblTitle", 4, 4), rgb(layout::kGreen));
    EXPECT_EQ(inside("TxtLastDay", 5, -6), rgb(layout::kGreen));
    EXPECT_EQ(inside("TxtMessage", -6, -5), rgb(layout::kGreen));
    EXPECT_EQ(inside("LstScores", -30, -30), rgb(layout::kWhite));
    EXPECT_EQ(inside("CmdGo", 5, 5), rgb(layout::kGreen));
    EXPECT_EQ(inside("CmdExit", 4, 4), rgb(layout::kRed));
    // A button's edge is black, and white while it has the focus.
    EXPECT_EQ(inside("CmdExit", 0, 10), RGB(0, 0, 0));
    SetFocus(findByName(hwnd, "CmdExit"));
    settle(*window);
    EXPECT_EQ(inside("CmdExit", 0, 10), rgb(layout::kWhite));
    // Labels are transparent: navy beside their text.
    EXPECT_EQ(inside("LblLastDay", -3, -3), rgb(layout::kNavy));
    EXPECT_EQ(inside("LblDaysSimmed", -3, -3), rgb(layout::kNavy));
    // The label's text is white.
    const RECT label = boxOf(findByName(hwnd, "LblLastDay"));
    bool white = false;
    for (int x = label.left; x < label.left + 60 && !white; ++x)
        for (int y = label.top; y < label.top + 20 && !white; ++y) white = pixelAt(hwnd, x, y) == rgb(layout::kWhite);
    EXPECT_TRUE(white);
}

TEST(WindowFaces, ListedFaceFirstThenStandIns) {
    const std::vector<std::wstring> windows{L"Impact", L"Courier New", L"Arial"};
    EXPECT_EQ(chooseFace(layout::Face::Impact, windows), (FaceChoice{L"Impact", false}));
    EXPECT_EQ(chooseFace(layout::Face::RoundedBold, windows), (FaceChoice{L"Arial", true}));
    EXPECT_EQ(chooseFace(layout::Face::ArialNarrow, windows), (FaceChoice{L"Arial", false}));
    const std::vector<std::wstring> wine{L"liberation sans narrow", L"Liberation Mono", L"Comfortaa"};
    EXPECT_EQ(chooseFace(layout::Face::Impact, wine), (FaceChoice{L"Liberation Sans Narrow", true}));
    EXPECT_EQ(chooseFace(layout::Face::CourierNew, wine), (FaceChoice{L"Liberation Mono", false}));
    EXPECT_EQ(chooseFace(layout::Face::RoundedBold, wine), (FaceChoice{L"Comfortaa", true}));
    // Nothing known installed: the face every Windows has, never the mapper's pick.
    EXPECT_EQ(chooseFace(layout::Face::CourierNew, {}), (FaceChoice{L"Consolas", false}));
}

} // namespace
} // namespace vr::win32::test
