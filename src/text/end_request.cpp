#include "text/end_request.h"

#include <csignal>
#include <cstdio>

namespace vr {
namespace {

volatile std::sig_atomic_t asked = 0;
int deferred = 0; // the run's own thread alone checks and defers

} // namespace

void requestEnd(int signal) noexcept {
    if (asked == 0) asked = signal;
}

int endRequestedBy() noexcept { return asked; }

void clearEndRequest() noexcept { asked = 0; }

void checkEnd() {
    if (asked != 0 && deferred == 0) throw EndRequested(asked);
}

const char* endSignalName(int signal) {
    switch (signal) {
#ifdef _WIN32
    // What the Windows host turns into these (host/end_signals.h).
    case SIGTERM: return "a request to close";
    case SIGINT: return "Ctrl+C";
    case SIGBREAK: return "Ctrl+Break";
#else
    case SIGTERM: return "SIGTERM";
    case SIGINT: return "SIGINT";
    case SIGHUP: return "SIGHUP";
#endif
    }
    static char name[32];
    std::snprintf(name, sizeof name, "signal %d", signal);
    return name;
}

EndDeferred::EndDeferred() { ++deferred; }
EndDeferred::~EndDeferred() { --deferred; }

} // namespace vr
