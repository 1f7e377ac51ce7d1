// Shared by the Win32 window's tests: a copy of a generated league per test,
// the window driven through its messages and the keyboard, pixels read back
// from what it drew, and message boxes answered from a second thread.
#pragma once

#include "app/win32/main_window.h"
#include "app/win32/wide_text.h"
#include "league/league_folder.h"
#include "testsupport/forwarding_file_system.h"
#include "text/file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vr::win32::test {

namespace fs = std::filesystem;

inline constexpr const char* kLeagueBelowDrive =
    "Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen";

inline std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh copy of the league the test run generated (VR_WINDOW_TEST_DRIVE),
// removed again at the end.
class LeagueCopy {
public:
    LeagueCopy() {
        const char* source = std::getenv("VR_WINDOW_TEST_DRIVE");
        if (!source || !*source) return;
        static int count = 0;
        drive_ = fs::temp_directory_path() /
                 ("vr-window-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count));
        fs::remove_all(drive_);
        fs::copy(source, drive_, fs::copy_options::recursive);
    }
    ~LeagueCopy() {
        std::error_code ec;
        if (!drive_.empty()) fs::remove_all(drive_, ec);
    }
    bool ready() const { return !drive_.empty(); }
    std::string drive() const { return drive_.generic_string(); }
    fs::path league() const { return drive_ / kLeagueBelowDrive; }
    // Every file of the league folder and its html folder, with its bytes.
    std::map<std::string, std::string> contents() const {
        std::map<std::string, std::string> all;
        for (const fs::path& folder : {league(), league() / "html"})
            for (const auto& e : fs::directory_iterator(folder))
                if (e.is_regular_file())
                    all[fs::relative(e.path(), league()).generic_string()] = readFile(e.path());
        return all;
    }

private:
    fs::path drive_;
};

// A configuration folder of the test's own, named by VELLOR_CONFIG_DIR
// while it lasts.
class ConfigFolder {
public:
    explicit ConfigFolder(const std::string& name)
        : path_(fs::temp_directory_path() / (name + "-" + std::to_string(GetCurrentProcessId()))) {
        fs::create_directories(path_);
        _putenv_s("VELLOR_CONFIG_DIR", path_.generic_string().c_str());
    }
    ~ConfigFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

#define VR_NEED_LEAGUE(copy) \
    if (!(copy).ready()) GTEST_SKIP() << "VR_WINDOW_TEST_DRIVE names no generated league"

// Handles every message waiting, then lets the window paint.
inline void settle(MainWindow& window) {
    for (int round = 0; round < 3; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!window.handleNext()) return;
        }
        if (window.handle()) UpdateWindow(window.handle());
        Sleep(20);
    }
}

// The control of that name, found as any program finds it: by the name
// the window gives each control.
inline HWND findByName(HWND window, const std::string& name) {
    struct Search {
        std::wstring name;
        HWND found = nullptr;
    } search{toWide(name)};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(child, kNameProperty)));
            wchar_t text[64] = {};
            if (atom && GlobalGetAtomNameW(atom, text, 64) && s->name == text) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A child's box in its parent's client pixels.
inline RECT boxOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The colour drawn at (x, y) of the main window's client area.
inline COLORREF pixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

inline COLORREF rgb(layout::Rgb c) { return RGB(c.r, c.g, c.b); }

// A picture of what the window shows inside its frame, for review:
// VR_SCREENSHOTS/NAME.bmp when the test run names that folder
// (scripts/check-windows-window.sh makes PNGs of them). Wine without a
// window manager draws no frame worth showing.
inline void savePicture(HWND window, const std::string& name) {
    const char* folder = std::getenv("VR_SCREENSHOTS");
    if (!folder || !*folder) return;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT box;
    GetClientRect(window, &box);
    const int width = box.right - box.left, height = box.bottom - box.top;
    HDC from = GetDC(window);
    HDC to = CreateCompatibleDC(from);
    HBITMAP bitmap = CreateCompatibleBitmap(from, width, height);
    HGDIOBJ old = SelectObject(to, bitmap);
    BitBlt(to, 0, 0, width, height, from, 0, 0, SRCCOPY);
    SelectObject(to, old);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height; // bottom-up, as BMP files hold rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t(3);
    std::string pixels(stride * static_cast<std::size_t>(height), '\0');
    GetDIBits(to, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(to);
    ReleaseDC(window, from);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    fs::create_directories(folder);
    std::ofstream out(fs::path(folder) / (name + ".bmp"), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}

// Keys as the user presses them, through the system's input queue.
inline void pressKeys(std::initializer_list<WORD> chord) {
    std::vector<INPUT> inputs;
    for (WORD k : chord) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = k;
        inputs.push_back(in);
    }
    for (auto it = chord.end(); it != chord.begin();) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *--it;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

inline std::string nameOf(HWND control) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(control, kNameProperty)));
    wchar_t text[64] = {};
    if (!atom || !GlobalGetAtomNameW(atom, text, 64)) return {};
    return wideToUtf8(text);
}

// Message boxes titled "Vellor Results", answered with OK from a second
// thread while the window's thread waits in the box.
class MessageBoxes {
public:
    struct Shown {
        bool warning;
        std::string text;
    };
    MessageBoxes() : thread_([this] { watch(); }) {}
    ~MessageBoxes() {
        stop_ = true;
        thread_.join();
    }
    std::vector<Shown> shown() {
        std::lock_guard<std::mutex> lock(mutex_);
        return shown_;
    }

private:
    // The icon the box shows: its one static control that holds an icon.
    static HICON iconOf(HWND box) {
        HICON icon = nullptr;
        for (HWND c = GetWindow(box, GW_CHILD); c && !icon; c = GetWindow(c, GW_HWNDNEXT))
            if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                icon = reinterpret_cast<HICON>(SendMessageW(c, STM_GETICON, 0, 0));
        return icon;
    }
    void watch() {
        HICON warning = LoadIconW(nullptr, MAKEINTRESOURCEW(32515)); // IDI_WARNING
        while (!stop_) {
            HWND box = FindWindowW(L"#32770", L"Vellor Results");
            if (box && IsWindowVisible(box)) {
                wchar_t text[4096] = {};
                GetDlgItemTextW(box, 0xFFFF, text, 4096);
                const HICON icon = iconOf(box);
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    shown_.push_back(Shown{icon == warning, wideToUtf8(text)});
                }
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                while (!stop_ && IsWindow(box)) Sleep(10);
            }
            Sleep(10);
        }
    }
    std::mutex mutex_;
    std::vector<Shown> shown_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The host's files, with a look taken at the window each time a file whose
// name ends so is opened: what the user sees at that point of a run.
class WatchedFiles final : public vr::testing::ForwardingFileSystem {
public:
    WatchedFiles(std::string suffix, std::function<void()> look)
        : ForwardingFileSystem(hostFileSystem()), suffix_(std::move(suffix)), look_(std::move(look)) {}
    Handle open(const std::string& path, OpenMode mode) override {
        seen(path);
        return ForwardingFileSystem::open(path, mode);
    }
    Handle openIn(Folder folder, const std::string& folderPath, std::string_view name, OpenMode mode) override {
        seen(std::string(name));
        return ForwardingFileSystem::openIn(folder, folderPath, name, mode);
    }

private:
    void seen(const std::string& path) {
        if (path.size() >= suffix_.size() && path.compare(path.size() - suffix_.size(), suffix_.size(), suffix_) == 0)
            look_();
    }
    std::string suffix_;
    std::function<void()> look_;
};

} // namespace vr::win32::test
