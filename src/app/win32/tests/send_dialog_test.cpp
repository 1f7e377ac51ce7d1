// The Win32 "Sending…" dialog driven from a second thread while the test's
// thread waits in it, as a user would drive it: "Browse…" fills the key
// file from the system's open dialog, which the sending dialog owns.
#include "app/win32/send_dialog.h"
#include "app/win32/tests/window_test_support.h"

namespace vr::win32::test {
namespace {

HWND waitForWindow(const wchar_t* title, HWND owner = nullptr) {
    for (int i = 0; i < 500; ++i, Sleep(10)) {
        HWND found = FindWindowW(L"#32770", title);
        if (found && IsWindowVisible(found) && (!owner || GetWindow(found, GW_OWNER) == owner)) return found;
    }
    return nullptr;
}

std::wstring textOf(HWND dialog, int id) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(dialog, id, text, 1024);
    return text;
}

class SendDialog : public ::testing::Test {
protected:
    void SetUp() override {
        config = fs::temp_directory_path() / ("vr-dialog-config-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(config);
        _putenv_s("VELLOR_CONFIG_DIR", config.generic_string().c_str());
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(config, ec);
    }
    fs::path config;
};

TEST_F(SendDialog, BrowseFillsTheKeyFileFromTheOpenDialogItOwns) {
    const fs::path key = config / "id_league";
    writeFile(key, "key\n");
    bool reachable = false, owned = false;
    std::wstring filled;
    std::thread user([&] {
        HWND dialog = waitForWindow(L"Sending");
        if (!dialog) return;
        HWND browse = GetDlgItem(dialog, kBrowseId);
        reachable = browse && IsWindowEnabled(browse) && (GetWindowLongW(browse, GWL_STYLE) & WS_TABSTOP);
        PostMessageW(browse, BM_CLICK, 0, 0);
        if (HWND open = waitForWindow(L"Private key file")) {
            owned = GetWindow(open, GW_OWNER) == dialog;
            // The file name box (cmb13) of the system's dialog.
            SetDlgItemTextW(open, 0x47c, key.wstring().c_str());
            PostMessageW(open, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 300 && IsWindow(open); ++i) Sleep(10);
        }
        filled = textOf(dialog, kKeyId);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(showSendDialog(nullptr));
    user.join();
    EXPECT_TRUE(reachable);
    EXPECT_TRUE(owned);
    EXPECT_EQ(fs::path(filled), key);
    EXPECT_FALSE(fs::exists(config / "publish.ini"));
}

} // namespace
} // namespace vr::win32::test
