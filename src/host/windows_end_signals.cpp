// Ctrl+C, Ctrl+Break and the console's close (or the end of the session)
// become a request to end (text/end_request.h), as SIGINT, SIGTERM and SIGHUP
// do on POSIX hosts: the run takes it where it may stop without harm. The
// console calls the handler on a thread of its own.
#include "host/end_signals.h"
#include "host/windows_end_signals.h"
#include "text/end_request.h"

#include <csignal>
#include <cstdlib>

namespace vr {
namespace {

// Set when the program ends (atexit), for a handler that must not return
// before then.
HANDLE programEnded() {
    static HANDLE ended = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return ended;
}

void tellProgramEnded() { SetEvent(programEnded()); }

// Once the handler of a close returns, the system ends the program at once:
// it returns only when the run has stopped or finished putting its files in
// place and the program has ended, or when the time the system allows
// (5 s for a console's close, more for the end of a session) is nearly up.
void waitForTheProgramsEnd() { WaitForSingleObject(programEnded(), 20000); }

BOOL WINAPI consoleEnd(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
        askToEnd(SIGINT);
        return TRUE;
    case CTRL_BREAK_EVENT:
        askToEnd(SIGBREAK);
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        askToEnd(SIGTERM);
        waitForTheProgramsEnd();
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

HANDLE endRequestEvent() {
    static HANDLE asked = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return asked;
}

void askToEnd(int signal) {
    requestEnd(signal);
    SetEvent(endRequestEvent());
}

void forgetEndRequest() {
    clearEndRequest();
    ResetEvent(endRequestEvent());
}

void catchEndSignals() {
    static bool caught = false;
    if (caught) return;
    caught = true;
    endRequestEvent();
    programEnded();
    std::atexit(tellProgramEnded);
    SetConsoleCtrlHandler(consoleEnd, TRUE);
}

} // namespace vr
