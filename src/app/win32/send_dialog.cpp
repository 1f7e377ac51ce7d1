#include "app/win32/send_dialog.h"

#include "app/win32/wide_text.h"
#include "host/config_folder.h"

#include <commdlg.h>
#include <oleacc.h>

#include <string>
#include <thread>
#include <vector>

namespace vr::win32 {
namespace {

struct Field {
    int id;
    const wchar_t* label; // its mnemonic moves to the field; screen readers name the field by it
    bool secret;          // shown as dots
};
const Field kFields[] = {
    {kServerId, L"&Server:", false},
    {kPortId, L"P&ort:", false},
    {kFolderId, L"Remote &folder:", false},
    {kUserId, L"&User:", false},
    {kPasswordId, L"Pass&word:", true},
    {kKeyId, L"&Key file:", false},
    {kHostKeyId, L"&Host key:", false},
    {kCaId, L"&Certificate authority:", false},
    {kWebId, L"Web &address:", false},
    {kWebhookId, L"Discord w&ebhook:", true},
    {kDiscordCaId, L"Discord ce&rtificate authority:", false},
};

// What screen readers call each control, the Qt window's names: a label
// gives only "Port:", and the answer box has no label at all.
struct Named {
    int id;
    const wchar_t* name;
};
const Named kNames[] = {
    {kProtocolId, L"Protocol"},
    {kServerId, L"Server"},
    {kPortId, L"Port (empty: the protocol's own)"},
    {kFolderId, L"Remote folder"},
    {kUserId, L"User"},
    {kPasswordId, L"Password"},
    {kKeyId, L"Private key file (SFTP)"},
    {kBrowseId, L"Browse for the private key file"},
    {kHostKeyId, L"Server's host key fingerprint (SFTP)"},
    {kCaId, L"Certificate authority file (optional)"},
    {kWebId, L"Web address of the html folder (optional)"},
    {kWebhookId, L"Discord webhook"},
    {kDiscordCaId, L"Discord certificate authority file (optional)"},
    {kAnswerId, L"Test result"},
    {kPinId, L"Pin the server's host key"},
    {kTestId, L"Test the connections"},
};
const wchar_t* const kProtocolNames[] = {L"SFTP", L"FTPS (explicit TLS)", L"FTP (password unencrypted)",
                                          L"A folder of this computer", L"None"};
const char* const kProtocols[] = {"sftp", "ftps", "ftp", "file", ""};
constexpr int kProtocolCount = 5;

// Posted by the Test thread when its answer is in.
constexpr UINT kTestedMessage = WM_APP + 2;

// Dialog units: a label column, a field column, one row per field.
constexpr int kMargin = 7, kLabelWidth = 110, kFieldLeft = 120, kFieldWidth = 200, kRow = 15, kHeight = 12;
constexpr int kBrowseWidth = 50; // "Browse…" at the key file's right, the field narrowed by it
constexpr int kWidth = kFieldLeft + kFieldWidth + kMargin;
constexpr int kAnswerTop = kMargin + kRow * 12 + 4, kAnswerHeight = 48;
constexpr int kButtonsTop = kAnswerTop + kAnswerHeight + 6, kButtonWidth = 50, kButtonHeight = 14;
constexpr int kDialogHeight = kButtonsTop + kButtonHeight + kMargin;

struct DialogState {
    std::string configFolder;
    SendChecks checks;
    std::thread testing;
    std::string said, fingerprint; // the Test thread's answer, read once it has posted
    IAccPropServices* names = nullptr;
};

// Each control's name, set through the accessibility layer's annotations,
// which screen readers read before any label. Where the system has none
// (Wine 8 answers E_NOTIMPL), the labels before the fields still name them.
void nameControls(HWND dialog, DialogState& state) {
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&state.names))))
        return;
    for (const Named& n : kNames)
        state.names->SetHwndPropStr(GetDlgItem(dialog, n.id), static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                    PROPID_ACC_NAME, n.name);
}

// Annotations outlive their window unless cleared.
void forgetNames(HWND dialog, DialogState& state) {
    if (!state.names) return;
    MSAAPROPID name = PROPID_ACC_NAME;
    for (const Named& n : kNames)
        state.names->ClearHwndProps(GetDlgItem(dialog, n.id), static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
    state.names->Release();
    state.names = nullptr;
}

std::string fieldText(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return wideToUtf8(text);
}

std::string trimmed(std::string s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

void setField(HWND dialog, int id, const std::string& utf8) {
    SetDlgItemTextW(dialog, id, utf8ToWide(utf8).c_str());
}

// "\n" as the edit control needs it, "\r\n".
void setAnswer(HWND dialog, const std::string& utf8) {
    std::string text;
    for (char c : utf8) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    setField(dialog, kAnswerId, text);
}

SendForm formOf(HWND dialog) {
    SendForm form;
    const auto chosen = static_cast<int>(SendDlgItemMessageW(dialog, kProtocolId, CB_GETCURSEL, 0, 0));
    form.site.protocol = chosen >= 0 && chosen < kProtocolCount ? kProtocols[chosen] : "";
    form.site.server = trimmed(fieldText(dialog, kServerId));
    form.site.port = trimmed(fieldText(dialog, kPortId));
    form.site.folder = trimmed(fieldText(dialog, kFolderId));
    form.user = trimmed(fieldText(dialog, kUserId));
    form.password = fieldText(dialog, kPasswordId);
    form.key = trimmed(fieldText(dialog, kKeyId));
    form.hostKey = trimmed(fieldText(dialog, kHostKeyId));
    form.ca = trimmed(fieldText(dialog, kCaId));
    form.web = trimmed(fieldText(dialog, kWebId));
    form.webhook = trimmed(fieldText(dialog, kWebhookId));
    form.discordCa = trimmed(fieldText(dialog, kDiscordCaId));
    return form;
}

void fill(HWND dialog, const SendForm& form) {
    int chosen = 0;
    for (int i = 0; i < kProtocolCount; ++i)
        if (form.site.protocol == kProtocols[i]) chosen = i;
    SendDlgItemMessageW(dialog, kProtocolId, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    setField(dialog, kServerId, form.site.server);
    setField(dialog, kPortId, form.site.port);
    setField(dialog, kFolderId, form.site.folder);
    setField(dialog, kUserId, form.user);
    setField(dialog, kPasswordId, form.password);
    setField(dialog, kKeyId, form.key);
    setField(dialog, kHostKeyId, form.hostKey);
    setField(dialog, kCaId, form.ca);
    setField(dialog, kWebId, form.web);
    setField(dialog, kWebhookId, form.webhook);
    setField(dialog, kDiscordCaId, form.discordCa);
}

// Only the fields the protocol uses can be typed in.
void protocolChanged(HWND dialog) {
    const std::string p = formOf(dialog).site.protocol;
    const bool remote = p == "sftp" || p == "ftps" || p == "ftp";
    for (int id : {kServerId, kPortId, kUserId, kPasswordId}) EnableWindow(GetDlgItem(dialog, id), remote);
    EnableWindow(GetDlgItem(dialog, kFolderId), !p.empty());
    EnableWindow(GetDlgItem(dialog, kWebId), !p.empty());
    EnableWindow(GetDlgItem(dialog, kKeyId), p == "sftp");
    EnableWindow(GetDlgItem(dialog, kBrowseId), p == "sftp");
    EnableWindow(GetDlgItem(dialog, kHostKeyId), p == "sftp");
    EnableWindow(GetDlgItem(dialog, kCaId), p == "ftps");
}

HWND make(HWND dialog, const wchar_t* cls, const wchar_t* text, DWORD style, int id, RECT box, DWORD exStyle = 0) {
    MapDialogRect(dialog, &box);
    HWND hwnd = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, box.left, box.top,
                                box.right - box.left, box.bottom - box.top, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    return hwnd;
}

RECT row(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

// The controls, each label just before its field: tab order, mnemonics and
// the names screen readers give the fields all follow from that order.
void build(HWND dialog) {
    make(dialog, L"STATIC", L"&Protocol:", SS_LEFT, -1, row(kMargin, kMargin + 2, kLabelWidth, 10));
    HWND protocol = make(dialog, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kProtocolId,
                         row(kFieldLeft, kMargin, kFieldWidth, 100));
    for (const wchar_t* name : kProtocolNames)
        SendMessageW(protocol, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    int top = kMargin + kRow;
    for (const Field& f : kFields) {
        make(dialog, L"STATIC", f.label, SS_LEFT, -1, row(kMargin, top + 2, kLabelWidth, 10));
        const bool browsed = f.id == kKeyId;
        make(dialog, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL | (f.secret ? ES_PASSWORD : 0), f.id,
             row(kFieldLeft, top, browsed ? kFieldWidth - kBrowseWidth - 4 : kFieldWidth, kHeight), WS_EX_CLIENTEDGE);
        if (browsed)
            make(dialog, L"BUTTON", L"&Browse\u2026", WS_TABSTOP | BS_PUSHBUTTON, kBrowseId,
                 row(kFieldLeft + kFieldWidth - kBrowseWidth, top - 1, kBrowseWidth, kButtonHeight));
        top += kRow;
    }
    make(dialog, L"EDIT", L"", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, kAnswerId,
         row(kMargin, kAnswerTop, kWidth - 2 * kMargin, kAnswerHeight), WS_EX_CLIENTEDGE);
    HWND pin = make(dialog, L"BUTTON", L"P&in this key", WS_TABSTOP | BS_PUSHBUTTON, kPinId,
                    row(kMargin, kButtonsTop, kButtonWidth + 10, kButtonHeight));
    ShowWindow(pin, SW_HIDE);
    int left = kWidth - kMargin - 3 * kButtonWidth - 8;
    make(dialog, L"BUTTON", L"&Test", WS_TABSTOP | BS_PUSHBUTTON, kTestId, row(left, kButtonsTop, kButtonWidth, kButtonHeight));
    left += kButtonWidth + 4;
    make(dialog, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, row(left, kButtonsTop, kButtonWidth, kButtonHeight));
    left += kButtonWidth + 4;
    make(dialog, L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL,
         row(left, kButtonsTop, kButtonWidth, kButtonHeight));
}

// The system's open dialog over this one, starting where the field points;
// the file chosen replaces the field's text.
void browseForKey(HWND dialog) {
    std::wstring file = utf8ToWide(fieldText(dialog, kKeyId));
    file.resize(MAX_PATH * 4, L'\0');
    OPENFILENAMEW open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = dialog;
    open.lpstrFilter = L"All files\0*.*\0";
    open.lpstrFile = file.data();
    open.nMaxFile = static_cast<DWORD>(file.size());
    open.lpstrTitle = L"Private key file";
    // The program's current folder stays where it was: relative paths of
    // the league and the profile do not move.
    open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&open)) return;
    file.resize(wcslen(file.c_str()));
    SetDlgItemTextW(dialog, kKeyId, file.c_str());
}

void test(HWND dialog, DialogState& state) {
    if (state.testing.joinable()) return;
    EnableWindow(GetDlgItem(dialog, kTestId), FALSE);
    ShowWindow(GetDlgItem(dialog, kPinId), SW_HIDE);
    setAnswer(dialog, "Testing\u2026");
    state.testing = std::thread([dialog, &state, form = formOf(dialog)] {
        state.said = testForm(form, state.checks, state.fingerprint);
        PostMessageW(dialog, kTestedMessage, 0, 0);
    });
}

void end(HWND dialog, DialogState& state, INT_PTR result) {
    if (state.testing.joinable()) state.testing.join();
    EndDialog(dialog, result);
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<DialogState*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        build(dialog);
        nameControls(dialog, *state);
        std::string problem;
        fill(dialog, loadForm(state->configFolder, problem));
        // A profile that cannot be read: the fields start empty, OK writes a
        // new one, and the reason shows first.
        setAnswer(dialog, problem);
        protocolChanged(dialog);
        SetFocus(GetDlgItem(dialog, kProtocolId));
        return FALSE;
    }
    case WM_DESTROY:
        forgetNames(dialog, *state);
        return FALSE;
    case kTestedMessage:
        state->testing.join();
        setAnswer(dialog, state->said);
        EnableWindow(GetDlgItem(dialog, kTestId), TRUE);
        ShowWindow(GetDlgItem(dialog, kPinId), state->fingerprint.empty() ? SW_HIDE : SW_SHOW);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kProtocolId:
            if (HIWORD(wParam) == CBN_SELCHANGE) protocolChanged(dialog);
            return TRUE;
        case kTestId:
            test(dialog, *state);
            return TRUE;
        case kBrowseId:
            browseForKey(dialog);
            return TRUE;
        case kPinId:
            setField(dialog, kHostKeyId, state->fingerprint);
            ShowWindow(GetDlgItem(dialog, kPinId), SW_HIDE);
            setAnswer(dialog, "Pinned: OK keeps it.");
            return TRUE;
        case IDOK: {
            const std::string problem = saveForm(state->configFolder, formOf(dialog));
            if (!problem.empty()) {
                setAnswer(dialog, problem);
                return TRUE;
            }
            end(dialog, *state, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            end(dialog, *state, IDCANCEL);
            return TRUE;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

// An empty dialog template, its controls made at WM_INITDIALOG: a modal
// frame with the system's dialog font ("MS Shell Dlg", 9 pt).
std::vector<WORD> dialogTemplate() {
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* head = reinterpret_cast<DLGTEMPLATE*>(t.data());
    head->style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    head->cdit = 0;
    head->cx = static_cast<short>(kWidth);
    head->cy = static_cast<short>(kDialogHeight);
    t.push_back(0); // no menu
    t.push_back(0); // the dialog class
    for (const wchar_t* s = L"Sending"; *s; ++s) t.push_back(static_cast<WORD>(*s));
    t.push_back(0);
    t.push_back(9);
    for (const wchar_t* s = L"MS Shell Dlg"; *s; ++s) t.push_back(static_cast<WORD>(*s));
    t.push_back(0);
    return t;
}

} // namespace

bool showSendDialog(HWND owner, const SendChecks& checks) {
    DialogState state{configFolderFromEnvironment(), checks, {}, {}, {}, nullptr};
    // The open dialog and the accessibility annotations are COM's; a
    // thread that has it already keeps it as it is.
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    const std::vector<WORD> t = dialogTemplate();
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                                   reinterpret_cast<const DLGTEMPLATE*>(t.data()), owner,
                                                   &dialogProc, reinterpret_cast<LPARAM>(&state));
    if (state.testing.joinable()) state.testing.join();
    if (com) CoUninitialize();
    return result == IDOK;
}

} // namespace vr::win32
