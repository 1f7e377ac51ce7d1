// The watch's clock on Windows: the tick count, a wait on an event, and
// Ctrl+C, Ctrl+Break and the console's close turned into a request to end
// between runs. A watch started hidden (Task Scheduler, the window program)
// has no console: a hidden window of its own takes what Windows sends a
// program asked to end (taskkill without /F, the end of the session).
#include "host/watch_clock.h"

#include <windows.h>

#include <cstdio>

namespace vr {
namespace {

volatile LONG endAsked = 0;
HANDLE endEvent = nullptr;
// Set while the watch waits between runs.
HANDLE idleEvent = nullptr;

void requestEnd() {
    InterlockedExchange(&endAsked, 1);
    if (endEvent) SetEvent(endEvent);
}

// The system ends the program once it has been told of a closing console
// or session: a run under way is let finish first (within the time the
// system allows).
void letTheRunFinish() {
    if (idleEvent) WaitForSingleObject(idleEvent, 20000);
}

BOOL WINAPI askEnd(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        requestEnd();
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        requestEnd();
        letTheRunFinish();
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CALLBACK endWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        requestEnd();
        return 0;
    case WM_ENDSESSION:
        if (wParam) {
            requestEnd();
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
        endEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        idleEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        SetConsoleCtrlHandler(askEnd, TRUE);
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
        if (endEvent) WaitForSingleObject(endEvent, ms);
        else Sleep(ms);
        if (idleEvent && !endRequested()) ResetEvent(idleEvent);
    }
    bool endRequested() override { return InterlockedCompareExchange(&endAsked, 0, 0) != 0; }
};

} // namespace

WatchClock& hostWatchClock() {
    static WindowsWatchClock clock;
    return clock;
}

} // namespace vr
