#include "host/end_signals.h"

#include "text/end_request.h"

#include <csignal>
#include <initializer_list>

namespace vr {
namespace {

extern "C" void askEnd(int signal) { requestEnd(signal); }

} // namespace

void catchEndSignals() {
    struct sigaction action {};
    action.sa_handler = askEnd;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a wait in progress ends at once
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, nullptr);
}

} // namespace vr
