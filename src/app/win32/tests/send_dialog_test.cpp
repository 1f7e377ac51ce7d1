// The Win32 "Sending…" dialog driven from a second thread while the test's
// thread waits in it, as a user would drive it: "Browse…" fills the key
// file from the system's open dialog, which the sending dialog owns; each
// control has a name as a screen reader asks for it, and each mnemonic
// leads to one control; "Test" reaches real servers on 127.0.0.1 and
// answers in the dialog.
#include "app/win32/send_dialog.h"
#include "app/win32/tests/window_test_support.h"

#include <oleacc.h>

#include <set>

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

// The name a screen reader reads for the control, through the same
// accessibility object it asks for.
std::wstring accessibleName(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return L"(no accessible object)";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring said;
    if (object->get_accName(self, &name) == S_OK && name) said = name;
    SysFreeString(name);
    object->Release();
    return said;
}

// Whether names set through the accessibility annotations can be read
// back here (Wine 8 has the service but none of its methods).
bool annotationsWork(HWND control) {
    IAccPropServices* props = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&props))))
        return false;
    MSAAPROPID help = PROPID_ACC_HELP;
    const bool works = SUCCEEDED(props->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                                       help, L"probe"));
    if (works) props->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &help, 1);
    props->Release();
    return works;
}

class SendDialog : public ::testing::Test {
protected:
    ConfigFolder folder{"vr-dialog-config"};
    const fs::path& config = folder.path();
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

// Each control is named: by its own annotation where the system reads
// them, else by the label just before it. The answer box has no label.
TEST_F(SendDialog, EveryControlHasANameAndEachMnemonicOneControl) {
    struct Expected {
        int id;
        std::wstring own, byLabel;
    };
    const std::vector<Expected> expected = {
        {kProtocolId, L"Protocol", L"Protocol:"},
        {kServerId, L"Server", L"Server:"},
        {kPortId, L"Port (empty: the protocol's own)", L"Port:"},
        {kFolderId, L"Remote folder", L"Remote folder:"},
        {kUserId, L"User", L"User:"},
        {kPasswordId, L"Password", L"Password:"},
        {kKeyId, L"Private key file (SFTP)", L"Key file:"},
        {kBrowseId, L"Browse for the private key file", L"Browse\u2026"},
        {kHostKeyId, L"Server's host key fingerprint (SFTP)", L"Host key:"},
        {kCaId, L"Certificate authority file (optional)", L"Certificate authority:"},
        {kWebId, L"Web address of the html folder (optional)", L"Web address:"},
        {kWebhookId, L"Discord webhook", L"Discord webhook:"},
        {kDiscordCaId, L"Discord certificate authority file (optional)", L"Discord certificate authority:"},
        {kTestId, L"Test the connections", L"Test"},
    };
    std::map<int, std::wstring> names;
    std::wstring answerName;
    bool annotated = false;
    std::vector<std::wstring> mnemonicTexts;
    std::thread user([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (HWND dialog = waitForWindow(L"Sending")) {
            for (const Expected& e : expected) names[e.id] = accessibleName(GetDlgItem(dialog, e.id));
            answerName = accessibleName(GetDlgItem(dialog, kAnswerId));
            annotated = annotationsWork(GetDlgItem(dialog, kAnswerId));
            for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                wchar_t text[256] = {}, kind[32] = {};
                GetClassNameW(c, kind, 32);
                GetWindowTextW(c, text, 256);
                // Labels and buttons: the edits' texts are what was typed.
                if (_wcsicmp(kind, L"Static") == 0 || _wcsicmp(kind, L"Button") == 0) mnemonicTexts.push_back(text);
            }
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        CoUninitialize();
    });
    showSendDialog(nullptr);
    user.join();
    ASSERT_EQ(names.size(), expected.size()) << "the dialog did not show";
    for (const Expected& e : expected) {
        const std::wstring& name = names[e.id];
        // Wine names a drop-down list by the item chosen, not its label.
        if (e.id == kProtocolId && !annotated) continue;
        EXPECT_TRUE(name == e.own || name == e.byLabel) << e.id << ": " << wideToUtf8(name);
    }
    if (annotated)
        EXPECT_EQ(answerName, L"Test result");
    else
        RecordProperty("annotations", "not read here: the answer box and protocol list go by Wine's names");
    std::set<wchar_t> keys;
    for (const std::wstring& t : mnemonicTexts) {
        const std::size_t at = t.find(L'&');
        if (at == std::wstring::npos || at + 1 >= t.size()) continue;
        EXPECT_TRUE(keys.insert(towlower(t[at + 1])).second) << wideToUtf8(t);
    }
    EXPECT_GE(keys.size(), 15u);
}

// "Test" against the servers scripts/check-windows-window.sh starts on
// 127.0.0.1, VR_SEND_PROFILE naming a profile for them (sftp by key, its
// host key pinned, a folder of four files; the Discord stand-in): the
// folder's listing and the webhook's name show in the dialog, no secret.
// With the host key emptied, Test offers the server's key and "Pin this
// key" puts the one pinned back. Cancel leaves the profile as it was.
TEST_F(SendDialog, TestListsTheRemoteFolderAndAsksTheWebhook) {
    const char* given = std::getenv("VR_SEND_PROFILE");
    if (!given || !*given) GTEST_SKIP() << "VR_SEND_PROFILE names no profile for servers on 127.0.0.1";
    const std::string profile = readFile(given);
    writeFile(config / "publish.ini", profile);
    const std::size_t hook = profile.find("/api/webhooks/1/");
    ASSERT_NE(hook, std::string::npos);
    const std::string token = profile.substr(hook + 16, profile.find('\n', hook) - hook - 16);

    std::wstring listed, unpinned, pinnedKey, keyBack;
    bool pinOffered = false;
    std::thread user([&] {
        HWND dialog = waitForWindow(L"Sending");
        if (!dialog) return;
        // Test clicked, its answer once the button is back (30 s at most).
        auto test = [&] {
            SetDlgItemTextW(dialog, kAnswerId, L"");
            PostMessageW(GetDlgItem(dialog, kTestId), BM_CLICK, 0, 0);
            for (int i = 0; i < 3000; ++i, Sleep(10)) {
                const std::wstring said = textOf(dialog, kAnswerId);
                if (!said.empty() && said != L"Testing\u2026" && IsWindowEnabled(GetDlgItem(dialog, kTestId)))
                    return said;
            }
            return std::wstring(L"(no answer)");
        };
        pinnedKey = textOf(dialog, kHostKeyId);
        listed = test();
        savePicture(dialog, "window-send-dialog-tested");
        SetDlgItemTextW(dialog, kHostKeyId, L"");
        unpinned = test();
        HWND pin = GetDlgItem(dialog, kPinId);
        pinOffered = IsWindowVisible(pin);
        PostMessageW(pin, BM_CLICK, 0, 0);
        for (int i = 0; i < 300 && textOf(dialog, kHostKeyId).empty(); ++i) Sleep(10);
        keyBack = textOf(dialog, kHostKeyId);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(showSendDialog(nullptr));
    user.join();
    const std::string first = wideToUtf8(listed);
    EXPECT_EQ(first.rfind("Connected to 127.0.0.1:", 0), 0u) << first;
    EXPECT_NE(first.find(" holds 4 files and folders (a.html, b.html, c.html, \u2026)."), std::string::npos) << first;
    EXPECT_NE(first.find("\r\nDiscord: The webhook \"League scores\" answers."), std::string::npos) << first;
    EXPECT_EQ(first.find(token), std::string::npos);
    EXPECT_NE(wideToUtf8(unpinned).find(wideToUtf8(pinnedKey)), std::string::npos) << wideToUtf8(unpinned);
    EXPECT_TRUE(pinOffered);
    EXPECT_FALSE(pinnedKey.empty());
    EXPECT_EQ(keyBack, pinnedKey);
    EXPECT_EQ(readFile(config / "publish.ini"), profile);
}

} // namespace
} // namespace vr::win32::test
