#include "app/win32/main_window.h"

#include "app/run_sequences.h"
#include "app/settings.h"
#include "app/stop_report.h"
#include "app/win32/message_box.h"
#include "app/win32/wide_text.h"
#include "app/win32/window_look.h"
#include "app/win32/send_dialog.h"
#include "host/cache_folder.h"
#include "text/code_page.h"
#include "text/errors.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

namespace vr::win32 {
namespace {

using layout::kControls;

const wchar_t* const kClassName = L"Vellor_Results";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// The text boxes' limit where the layout sets none (as the Linux window's).
constexpr int kShortTextLength = 32767;
// The icon's resource number in the program's resources.
constexpr int kIconResource = 1;

std::size_t indexOfId(int id) { return static_cast<std::size_t>(id - kFirstControlId); }
bool isControlId(int id) {
    return id >= kFirstControlId && id < kFirstControlId + static_cast<int>(layout::kControlCount);
}

bool isLongText(std::size_t index) { return index == layout::TxtWebsite || index == layout::TxtMessage; }

void registerClass(HINSTANCE instance, WNDPROC proc) {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hbrBackground = nullptr; // painted in WM_ERASEBKGND with the navy brush
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
    done = true;
}

// The outer size of a window whose client area is `client` at `dpi`.
SIZE windowSize(SIZE client, int dpi) {
    RECT r{0, 0, client.cx, client.cy};
    AdjustWindowRectExForDpi(&r, kStyle, FALSE, 0, static_cast<UINT>(dpi));
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// A line end in pasted text would end the one line the box keeps: each
// becomes a space, as the Linux window reads it.
std::wstring oneLine(std::wstring text) {
    std::replace(text.begin(), text.end(), L'\r', L' ');
    std::replace(text.begin(), text.end(), L'\n', L' ');
    return text;
}

std::wstring windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

MainWindow::MainWindow(LeagueFolder& league)
    : league_(league), state_(std::make_unique<LeagueState>()),
      goColour_(kControls[layout::CmdGo].background) {
    state_->cacheFolder = cacheFolderFromEnvironment();
    navy_ = CreateSolidBrush(colour(layout::kNavy));
    green_ = CreateSolidBrush(colour(layout::kGreen));
    white_ = CreateSolidBrush(colour(layout::kWhite));

    HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(instance, &MainWindow::windowProc);
    const std::wstring caption = toWide(layout::kCaption);
    const SIZE size = windowSize(clientSize(96), 96);
    hwnd_ = CreateWindowExW(0, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            size.cx, size.cy, nullptr, nullptr, instance, this);
    createControls();
    // The monitor the window opens on decides its DPI.
    applyDpi(static_cast<int>(GetDpiForWindow(hwnd_)), nullptr);
    useSender(sendDue);
    // "Sending…" in the window's system menu too (the menu of its icon).
    if (HMENU system = GetSystemMenu(hwnd_, FALSE)) {
        AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(system, MF_STRING, kSendingCommand, L"Sending\u2026\tCtrl+,");
    }
    // A run that waits for another in the league folder says so in the
    // caption, the one place a window that holds its thread still shows.
    league_.setHoldNotice([this, caption](std::string_view notice) {
        const std::wstring text = notice == LeagueFolder::kHoldWaiting
                                      ? caption + L" \u2014 " + utf8ToWide(notice)
                                      : caption;
        SetWindowTextW(hwnd_, text.c_str());
    });
}

MainWindow::~MainWindow() {
    league_.setHoldNotice({});
    sending_.reset();
    if (hwnd_) DestroyWindow(hwnd_);
    if (statusFont_) DeleteObject(statusFont_);
    for (HFONT f : fonts_)
        if (f) DeleteObject(f);
    DeleteObject(navy_);
    DeleteObject(green_);
    DeleteObject(white_);
}

// The controls in tab order; each one made later lies above the earlier
// ones where they overlap (Label1's box reaches into TxtWebsite's).
void MainWindow::createControls() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (std::size_t i = 0; i < layout::kControlCount; ++i) {
        const layout::Control& c = kControls[i];
        const std::wstring caption = toWide(c.caption);
        const wchar_t* cls = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        DWORD exStyle = 0;
        switch (c.kind) {
        case layout::Kind::Label:
            style |= SS_NOPREFIX | (c.centred ? SS_CENTER : SS_LEFT);
            break;
        case layout::Kind::TextBox:
            cls = L"EDIT";
            style |= WS_TABSTOP | ES_AUTOHSCROLL | (c.centred ? ES_CENTER : ES_LEFT);
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case layout::Kind::Button:
            cls = L"BUTTON";
            style |= WS_TABSTOP | BS_OWNERDRAW;
            break;
        case layout::Kind::List:
            cls = L"LISTBOX";
            style |= WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        }
        HWND hwnd = CreateWindowExW(exStyle, cls, caption.c_str(), style, 0, 0, 0, 0, hwnd_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                                    instance, nullptr);
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        const std::wstring name = toWide(c.name);
        SetPropW(hwnd, kNameProperty,
                 reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(GlobalAddAtomW(name.c_str()))));
        if (c.kind == layout::Kind::TextBox) {
            SendMessageW(hwnd, EM_SETLIMITTEXT, isLongText(i) ? layout::kLongTextLength : kShortTextLength, 0);
            SetWindowSubclass(hwnd, &MainWindow::editProc, i, reinterpret_cast<DWORD_PTR>(this));
        }
        controls_[i] = hwnd;
    }
    SetWindowTextW(controls_[layout::TxtWebsite], toWide(kDefaultWebsite).c_str());
}

void MainWindow::applyDpi(int dpi, const RECT* suggested) {
    dpi_ = dpi > 0 ? dpi : 96;
    const SIZE client = clientSize(dpi_);
    SIZE size = windowSize(client, dpi_);
    RECT now{};
    GetWindowRect(hwnd_, &now);
    const POINT at = suggested ? POINT{suggested->left, suggested->top} : POINT{now.left, now.top};
    SetWindowPos(hwnd_, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    // Where the frame drawn is not the one computed for the DPI, the
    // client area still gets its exact size.
    RECT got{};
    GetClientRect(hwnd_, &got);
    if (got.right != client.cx || got.bottom != client.cy) {
        size.cx += client.cx - got.right;
        size.cy += client.cy - got.bottom;
        SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
    layOut();
}

// Boxes and fonts at the window's DPI.
void MainWindow::layOut() {
    HDC dc = GetDC(hwnd_);
    for (std::size_t i = 0; i < layout::kControlCount; ++i) {
        const layout::Control& c = kControls[i];
        const RECT r = pixelBox(c.box, dpi_);
        SetWindowPos(controls_[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        const FaceChoice face = chooseFace(c.face, installedFamilies());
        HFONT font = makeFont(c, face, fittedFontPixels(dc, c, face, dpi_));
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (fonts_[i]) DeleteObject(fonts_[i]);
        fonts_[i] = font;
    }
    ReleaseDC(hwnd_, dc);
    if (statusLine_) {
        const RECT r = pixelBox(layout::kStatusLine, dpi_);
        SetWindowPos(statusLine_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        HFONT font = makeFont(kControls[layout::TxtMessage], chooseFace(layout::Face::ArialNarrow, installedFamilies()),
                              layout::fontPixels(kControls[layout::TxtMessage].centipoints, dpi_));
        SendMessageW(statusLine_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (statusFont_) DeleteObject(statusFont_);
        statusFont_ = font;
    }
    updateScrollWidth();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

bool MainWindow::load() {
    const HandlerEnd end = guardedRun(league_, [this] { windowLoad(league_, *this, *state_); });
    if (end.how == HandlerEnd::How::Done) {
        // Another league than the default is named in the title, so that the
        // commissioner of two leagues sees which one is open.
        if (league_.leagueName() != LeagueFolder::kDefaultLeague)
            SetWindowTextW(controls_[layout::LblTitle], toWide(league_.leagueName()).c_str());
        return true;
    }
    // The window has not shown yet: the box stands alone.
    showMessageBox(nullptr, MessageIcon::Error, end.message);
    status_ = 1;
    return false;
}

void MainWindow::show(int showCommand) {
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    lastFocus_ = controls_[layout::TxtLastDay];
    SetFocus(lastFocus_);
}

bool MainWindow::handleNext() {
    MSG msg;
    if (closed_ || GetMessageW(&msg, nullptr, 0, 0) <= 0) return false;
    if (!handleKey(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return !closed_;
}

int MainWindow::run() {
    while (handleNext()) {
    }
    return status_;
}

// Keys the window handles itself before a control sees them: Tab and
// Shift+Tab move through the controls in the layout's order, Enter on a
// button presses it (Space the button handles itself), and Enter in a text
// box does nothing.
bool MainWindow::handleKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !IsChild(hwnd_, msg.hwnd)) return false;
    if (msg.wParam == VK_OEM_COMMA && GetKeyState(VK_CONTROL) < 0) {
        openSendSettings();
        return true;
    }
    if (msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
        moveFocus(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    if (msg.wParam == VK_RETURN) {
        const int id = GetDlgCtrlID(msg.hwnd);
        if (isControlId(id) && kControls[indexOfId(id)].kind == layout::Kind::Button) press(indexOfId(id));
        return true;
    }
    return false;
}

void MainWindow::moveFocus(bool backwards) {
    const int id = GetDlgCtrlID(GetFocus());
    std::size_t i = isControlId(id) ? indexOfId(id) : layout::TxtLastDay;
    do {
        i = backwards ? (i + layout::kControlCount - 1) % layout::kControlCount : (i + 1) % layout::kControlCount;
    } while (!kControls[i].takesFocus);
    SetFocus(controls_[i]);
    // A text box reached by the keyboard has its text selected, to be typed over.
    if (kControls[i].kind == layout::Kind::TextBox) SendMessageW(controls_[i], EM_SETSEL, 0, -1);
}

void MainWindow::press(std::size_t index) {
    if (index == layout::CmdGo) go();
    else if (index == layout::CmdExit) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void MainWindow::go() {
    // A second press can only come from a message handled mid-run (a box
    // shown by the run); it must not start a run inside the run.
    if (running_) return;
    running_ = true;
    bool published = false;
    const HandlerEnd end = guardedRun(league_, [&] { published = goRun(league_, *this, *state_); });
    // Rejected: nothing has been written; the user mends the text and goes again.
    if (end.how == HandlerEnd::How::Rejected) showMessageBox(hwnd_, MessageIcon::Warning, end.message);
    if (end.how == HandlerEnd::How::Stopped) fail(end.message);
    if (published) sendOn();
    running_ = false;
}

// After the run's lock is let go: sending waits on the network, on a thread
// of its own, and the status line tells how it goes. A failure shows there;
// the next GO! sends what is due.
void MainWindow::sendOn() {
    sending_->startAfterGo(league_, *state_, *this);
    showSendStatus();
}

void MainWindow::useSender(SendBeside::Sender sender, SendBeside::Clock clock) {
    // The sending thread only posts: the line is redrawn on the window's own.
    HWND hwnd = hwnd_;
    sending_ = std::make_unique<SendBeside>(
        std::move(sender), [hwnd] { PostMessageW(hwnd, kSendNewsMessage, 0, 0); }, std::move(clock));
}

void MainWindow::showSendStatus() {
    const StatusLine line = sending_->line();
    if (!hwnd_ || (line.text.empty() && !statusLine_)) return;
    if (!statusLine_) {
        statusLine_ = CreateWindowExW(0, L"STATIC", L"",
                                      WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOTIFY | SS_NOPREFIX |
                                          SS_CENTERIMAGE | SS_ENDELLIPSIS,
                                      0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusLineId)),
                                      GetModuleHandleW(nullptr), nullptr);
        SetPropW(statusLine_, kNameProperty,
                 reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(GlobalAddAtomW(L"StatusLine"))));
        layOut();
    }
    SetWindowTextW(statusLine_, utf8ToWide(line.text).c_str());
    InvalidateRect(statusLine_, nullptr, TRUE);
}

void MainWindow::showWholeStatus() {
    const StatusLine line = sending_->line();
    const std::string& whole = line.whole.empty() ? line.text : line.whole;
    if (!whole.empty()) showMessageBox(hwnd_, line.failure ? MessageIcon::Warning : MessageIcon::Information, whole);
}

void MainWindow::openLeagueFile(const char* file, bool itsFolder) {
    try {
        std::string path = league_.hostPath(file);
        if (itsFolder) path = path.substr(0, path.find_last_of("/\\"));
        // The system's own file manager or browser.
        ShellExecuteW(hwnd_, L"open", utf8ToWide(codePageToUtf8(path)).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    } catch (const Stop&) {
        // No league folder: nothing to open.
    }
}

void MainWindow::openSendSettings() { showSendDialog(hwnd_); }

void MainWindow::command(int id) {
    switch (id) {
    case kSendingCommand: openSendSettings(); break;
    case kOpenFolderCommand: openLeagueFile("x", true); break;
    case kOpenScoreboardCommand: openLeagueFile("html\\scoreboard.html", false); break;
    case kShowMessageCommand: showWholeStatus(); break;
    default: break;
    }
}

// The window's background menu: the sending's settings and message, and
// the league's folder and scoreboard.
void MainWindow::showMenu(POINT at) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, kSendingCommand, L"Sending\u2026\tCtrl+,");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kOpenFolderCommand, L"Open the league folder");
    AppendMenuW(menu, MF_STRING, kOpenScoreboardCommand, L"Open the scoreboard");
    if (!sending_->line().text.empty()) AppendMenuW(menu, MF_STRING, kShowMessageCommand, L"Show the sending's message");
    if (at.x == -1 && at.y == -1) {
        // From the keyboard (Shift+F10, the menu key): at the window's corner.
        at = POINT{0, 0};
        ClientToScreen(hwnd_, &at);
    }
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
    DestroyMenu(menu);
    if (chosen) command(chosen);
}

void MainWindow::fail(const std::string& utf8Message) {
    showMessageBox(hwnd_, MessageIcon::Error, utf8Message);
    status_ = 1;
    DestroyWindow(hwnd_);
}

HWND MainWindow::box(TextBox which) const {
    switch (which) {
    case TextBox::LastDay: return controls_[layout::TxtLastDay];
    case TextBox::DaysSimmed: return controls_[layout::TxtDaysSimmed];
    case TextBox::Website: return controls_[layout::TxtWebsite];
    case TextBox::Message: return controls_[layout::TxtMessage];
    }
    return controls_[layout::TxtLastDay];
}

std::string MainWindow::text(TextBox which) const {
    std::wstring text = windowText(box(which));
    if (which == TextBox::Website || which == TextBox::Message) text = oneLine(std::move(text));
    return fromWide(text);
}

void MainWindow::setText(TextBox which, std::string_view bytes) {
    HWND edit = box(which);
    SetWindowTextW(edit, toWide(bytes).c_str());
    // Show a long text from its start.
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

void MainWindow::addScore(std::string_view bytes) {
    const std::wstring line = toWide(bytes);
    SendMessageW(controls_[layout::LstScores], LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (line.size() > longestScore_) {
        longestScore_ = line.size();
        updateScrollWidth();
    }
}

// The list's face is monospaced: its longest line gives the width to scroll.
void MainWindow::updateScrollWidth() {
    HWND list = controls_[layout::LstScores];
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, fonts_[layout::LstScores]);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    const int extent = static_cast<int>(longestScore_) * tm.tmAveCharWidth + 2 * tm.tmAveCharWidth;
    SendMessageW(list, LB_SETHORIZONTALEXTENT, longestScore_ ? extent : 0, 0);
}

void MainWindow::setGoColour(GoColour which) {
    goColour_ = which == GoColour::Red ? layout::kRed : kControls[layout::CmdGo].background;
    HWND go = controls_[layout::CmdGo];
    // The run holds the message loop: paint the red button now, without
    // handling messages (a queued click must not start GO! or Exit mid-run).
    if (which == GoColour::Red)
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    else
        InvalidateRect(go, nullptr, FALSE);
}

void MainWindow::beep() { MessageBeep(MB_OK); }

void MainWindow::drawButton(const DRAWITEMSTRUCT& item) {
    const std::size_t index = indexOfId(static_cast<int>(item.CtlID));
    const layout::Control& c = kControls[index];
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool focused = item.itemState & ODS_FOCUS;

    HBRUSH fill = CreateSolidBrush(colour(index == layout::CmdGo ? goColour_ : c.background));
    FillRect(dc, &r, fill);
    DeleteObject(fill);

    // A border of two pixels at 96 dpi: black, white while the button has
    // the focus; pressed, the face sinks in.
    const int border = std::max(1, layout::toPixels(30, dpi_));
    HBRUSH frame = CreateSolidBrush(focused ? colour(layout::kWhite) : RGB(0, 0, 0));
    for (int k = 0; k < border; ++k) {
        RECT edge{r.left + k, r.top + k, r.right - k, r.bottom - k};
        FrameRect(dc, &edge, frame);
    }
    DeleteObject(frame);
    RECT text = r;
    if (pressed) {
        RECT inner{r.left + border, r.top + border, r.right - border, r.bottom - border};
        DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT);
        OffsetRect(&text, border / 2 + 1, border / 2 + 1);
    }

    const std::wstring caption = toWide(c.caption);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour(c.text));
    HGDIOBJ old = SelectObject(dc, fonts_[index]);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->handleMessage(message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR index, DWORD_PTR) {
    if (message == WM_PASTE && isLongText(index) && OpenClipboard(hwnd)) {
        std::wstring pasted;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
                pasted = oneLine(text);
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &MainWindow::editProc, index);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd_, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, navy_);
        return 1;
    }
    case WM_CTLCOLORSTATIC: {
        // Labels: white text, transparent on the navy (the title on green).
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (statusLine_ && reinterpret_cast<HWND>(lParam) == statusLine_) {
            SetTextColor(dc, colour(sending_->line().failure ? layout::kStatusFailure : layout::kWhite));
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(navy_);
        }
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        const bool filled = isControlId(id) && kControls[indexOfId(id)].filled;
        SetTextColor(dc, colour(layout::kWhite));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(filled ? green_ : navy_);
    }
    case WM_CTLCOLOREDIT: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, colour(layout::kWhite));
        SetBkColor(dc, colour(layout::kGreen));
        return reinterpret_cast<LRESULT>(green_);
    }
    case WM_CTLCOLORLISTBOX: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, colour(layout::kListText));
        SetBkColor(dc, colour(layout::kWhite));
        return reinterpret_cast<LRESULT>(white_);
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_BUTTON) {
            drawButton(*item);
            return TRUE;
        }
        break;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && isControlId(LOWORD(wParam))) {
            press(indexOfId(LOWORD(wParam)));
            return 0;
        }
        if (LOWORD(wParam) == kStatusLineId && HIWORD(wParam) == STN_CLICKED) {
            showWholeStatus();
            return 0;
        }
        break;
    case kSendNewsMessage:
        showSendStatus();
        return 0;
    case WM_CONTEXTMENU:
        showMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == kSendingCommand) {
            openSendSettings();
            return 0;
        }
        break;
    case WM_DPICHANGED:
        applyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        // The focus comes back to the control that had it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
        } else if (lastFocus_) {
            SetFocus(lastFocus_);
            return 0;
        }
        break;
    case WM_CLOSE:
        // A send stops at its next safe point, between two files.
        sending_->stopAndWait();
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        if (statusLine_) {
            if (auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropW(statusLine_, kNameProperty))))
                GlobalDeleteAtom(atom);
            statusLine_ = nullptr;
        }
        for (HWND c : controls_) {
            if (auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropW(c, kNameProperty))))
                GlobalDeleteAtom(atom);
        }
        closed_ = true;
        return 0;
    case WM_NCDESTROY: {
        HWND hwnd = hwnd_;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        controls_.fill(nullptr);
        hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

int runWindowOn(LeagueFolder& league, int showCommand) {
    MainWindow window(league);
    if (!window.load()) return 1;
    window.show(showCommand);
    return window.run();
}

} // namespace vr::win32
