// The watch's clock on Windows: the tick count, a wait on an event, and
// Ctrl+C, Ctrl+Break and the console's close turned into a request to end
// between runs.
#include "additions/watch_clock.h"

#include <windows.h>

#include <cstdio>

namespace vr {
namespace {

volatile LONG endAsked = 0;
HANDLE endEvent = nullptr;

BOOL WINAPI askEnd(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        InterlockedExchange(&endAsked, 1);
        if (endEvent) SetEvent(endEvent);
        return TRUE;
    default:
        return FALSE;
    }
}

class WindowsWatchClock final : public WatchClock {
public:
    WindowsWatchClock() {
        endEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        SetConsoleCtrlHandler(askEnd, TRUE);
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
        if (endEvent) WaitForSingleObject(endEvent, ms);
        else Sleep(ms);
    }
    bool endRequested() override { return InterlockedCompareExchange(&endAsked, 0, 0) != 0; }
};

} // namespace

WatchClock& hostWatchClock() {
    static WindowsWatchClock clock;
    return clock;
}

} // namespace vr
