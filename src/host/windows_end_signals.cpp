#include "host/end_signals.h"

#include <csignal>
#include <cstdio>

namespace vr {

// A headless run on Windows ends as console programs do on Ctrl+C; the
// watch takes Ctrl+C and the console's close through its own clock.
void catchEndSignals() {}

const char* endSignalName(int signal) {
    switch (signal) {
    case SIGTERM: return "SIGTERM";
    case SIGINT: return "SIGINT";
    }
    static char name[32];
    std::snprintf(name, sizeof name, "signal %d", signal);
    return name;
}

} // namespace vr
