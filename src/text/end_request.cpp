#include "text/end_request.h"

#include <csignal>

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

EndDeferred::EndDeferred() { ++deferred; }
EndDeferred::~EndDeferred() { --deferred; }

} // namespace vr
