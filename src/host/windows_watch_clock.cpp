// The watch's clock on Windows: the tick count, and a wait that Ctrl+C,
// Ctrl+Break and the console's close end at once (host/end_signals.h; a run
// under way takes the request as on POSIX hosts). A watch started hidden
// (Task Scheduler, the window program) has no console: a hidden window of
// its own takes what Windows sends a program asked to end (taskkill without
// /F, the end of the session).
#include "host/watch_clock.h"
#include "host/end_signals.h"
#include "host/windows_end_signals.h"
#include "text/end_request.h"

#include <windows.h>

#include <csignal>
#include <cstdio>

namespace vr {
namespace {

// Set while the watch waits between runs.
HANDLE idleEvent = nullptr;

// The system ends the program once it has been told of the session's end:
// a run under way is let finish first (within the time the system allows).
void letTheRunFinish() {
    if (idleEvent) WaitForSingleObject(idleEvent, 20000);
}

LRESULT CALLBACK endWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        askToEnd(SIGTERM);
        return 0;
    case WM_ENDSESSION:
        if (wParam) {
            askToEnd(SIGTERM);
            letTheRunFinish();
        }
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// The hidden window's own thread: its messages come while a run goes on,
// and the run still ends before the watch does.
DWORD WINAPI endWindowThread(void*) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = endWindowProcedure;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"Vellor_Results_Watch";
    RegisterClassW(&cls);
    if (!CreateWindowExW(0, cls.lpszClassName, L"Vellor Results watch", WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                         nullptr, cls.hInstance, nullptr))
        return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

class WindowsWatchClock final : public WatchClock {
public:
    WindowsWatchClock() {
        catchEndSignals();
        idleEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (HANDLE thread = CreateThread(nullptr, 0, endWindowThread, nullptr, 0, nullptr)) CloseHandle(thread);
    }
    double now() override { return static_cast<double>(GetTickCount64()) / 1000.0; }
    std::string localTime() override {
        SYSTEMTIME t;
        GetLocalTime(&t);
        char text[32];
        std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour,
                      t.wMinute, t.wSecond);
        return text;
    }
    void sleep(double seconds) override {
        if (endRequested() || seconds <= 0) return;
        DWORD ms = static_cast<DWORD>(seconds * 1000.0);
        if (idleEvent) SetEvent(idleEvent);
        WaitForSingleObject(endRequestEvent(), ms);
        if (idleEvent && !endRequested()) ResetEvent(idleEvent);
    }
    bool endRequested() override { return endRequestedBy() != 0; }
};

} // namespace

WatchClock& hostWatchClock() {
    static WindowsWatchClock clock;
    return clock;
}

} // namespace vr
