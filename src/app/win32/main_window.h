// The program's one window on Windows, native Win32. It owns everything the
// two handlers keep between them and is the WindowPort the run sequences
// talk to; the sequences themselves live in the core, the layout facts in
// app/window_layout.h.
#pragma once

#include "results/league_state.h"
#include "app/send_beside.h"
#include "app/window_layout.h"
#include "app/window_port.h"
#include "league/league_folder.h"

#include <windows.h>

#include <array>
#include <cstddef>
#include <memory>

namespace vr::win32 {

// Each control carries its name as a window property (a global atom, which
// any process can read back) and its index in layout::kControls plus
// kFirstControlId as its control ID.
inline constexpr const wchar_t* kNameProperty = L"VellorName";
inline constexpr int kFirstControlId = 100;
// The status line's control ID; the commands of the background menu and of
// the system menu (whose own IDs are multiples of 16, below 0xF000).
inline constexpr int kStatusLineId = 90;
inline constexpr int kSendingCommand = 0x0110;
inline constexpr int kOpenFolderCommand = 0x0120;
inline constexpr int kOpenScoreboardCommand = 0x0130;
inline constexpr int kShowMessageCommand = 0x0140;
// Posted by the sending thread: the status line has news.
inline constexpr UINT kSendNewsMessage = WM_APP + 1;

class MainWindow final : public WindowPort {
public:
    // Creates the window and its controls, hidden.
    explicit MainWindow(LeagueFolder& league);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The window load, to run before the window first shows. False after a
    // stop, whose message has then been shown.
    bool load();
    void show(int showCommand);
    // Handles messages until the window has closed; returns the exit
    // status: 0 after Exit, the close box or Alt+F4, 1 after a stop.
    int run();
    // Handles one message as run() does; false once the window has closed.
    // For callers that drive the window themselves (the tests).
    bool handleNext();

    HWND handle() const { return hwnd_; }
    HWND control(std::size_t index) const { return controls_[index]; }
    int dpi() const { return dpi_; }
    int status() const { return status_; }

    std::string text(TextBox box) const override;
    void setText(TextBox box, std::string_view bytes) override;
    void addScore(std::string_view bytes) override;
    void setGoColour(GoColour colour) override;
    void beep() override;

    // The sending behind the window (tests put a fake and a fixed clock in
    // their place).
    void useSender(SendBeside::Sender sender, SendBeside::Clock clock = {});
    StatusLine sendStatus() const { return sending_->line(); }
    // The status line's control, once a send has had something to say.
    HWND statusLine() const { return statusLine_; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void layOut();
    void applyDpi(int dpi, const RECT* suggested);
    void drawButton(const DRAWITEMSTRUCT& item);
    bool handleKey(const MSG& msg);
    void moveFocus(bool backwards);
    void press(std::size_t index);
    void go();
    void sendOn();
    void showSendStatus();
    void showWholeStatus();
    void showMenu(POINT at);
    void command(int id);
    void openLeagueFile(const char* file, bool itsFolder);
    void openSendSettings();
    void fail(const std::string& utf8Message);
    void updateScrollWidth();
    HWND box(TextBox which) const;

    LeagueFolder& league_;
    // On the heap: the game table alone is far too large for a stack frame.
    std::unique_ptr<LeagueState> state_;
    HWND hwnd_ = nullptr;
    std::array<HWND, layout::kControlCount> controls_{};
    std::array<HFONT, layout::kControlCount> fonts_{};
    HBRUSH navy_ = nullptr, green_ = nullptr, white_ = nullptr;
    layout::Rgb goColour_;
    int dpi_ = 96;
    int status_ = 0;
    bool running_ = false;
    bool closed_ = false;
    HWND lastFocus_ = nullptr;
    std::size_t longestScore_ = 0; // in characters, for the list's scroll width
    std::unique_ptr<SendBeside> sending_;
    // Made at the first word of a send: without a profile the window holds
    // its twelve controls alone.
    HWND statusLine_ = nullptr;
    HFONT statusFont_ = nullptr;
};

// Loads the window on `league`, shows it and runs until it closes; returns
// the exit status (1 after a stop at the window load, when it never shows).
int runWindowOn(LeagueFolder& league, int showCommand);

} // namespace vr::win32
