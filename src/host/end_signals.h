// The signals that ask a headless run or the watch to end: SIGTERM, SIGINT
// and SIGHUP alike become a request to end (text/end_request.h), taken where
// the run may stop without harm, instead of ending the process at once; a
// closed pipe (SIGPIPE) ends nothing and shows as a failed write. On Windows
// Ctrl+C, Ctrl+Break and the console's close (or the session's end) do the
// same; a close waits for the run to end before the system ends the program.
// Host code: src/host/.
#pragma once

namespace vr {

void catchEndSignals();

} // namespace vr
