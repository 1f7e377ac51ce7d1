// The Windows side of the requests to end (host/end_signals.h), for the
// host's other waits: the watch's pause between looks, the wait for the
// league folder's lock. Host code: src/host/.
#pragma once

#include <windows.h>

namespace vr {

// Records the request (text/end_request.h) and wakes every wait on
// endRequestEvent(). SIGINT stands for Ctrl+C, SIGBREAK for Ctrl+Break,
// SIGTERM for a request to close (the console's close, taskkill without /F,
// the end of the session).
void askToEnd(int signal);

// Signalled once an end has been asked for.
HANDLE endRequestEvent();

// Forgets the request and resets the event (tests).
void forgetEndRequest();

} // namespace vr
