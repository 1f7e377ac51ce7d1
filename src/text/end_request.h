// A request to end the run, made by a signal (or the console's close): the
// run takes it where it can stop without harm. Before its publications are
// put in place it stops at the next check, leaving every file as it was;
// once it has begun putting them in place it finishes that first.
#pragma once

#include <exception>

namespace vr {

// Thrown by checkEnd(); not a Stop, so that no handler of stops takes it
// for a failure of a file.
class EndRequested : public std::exception {
public:
    explicit EndRequested(int signal) : signal_(signal) {}
    int signal() const { return signal_; }
    const char* what() const noexcept override { return "an end was asked for"; }

private:
    int signal_;
};

// Safe in a signal handler: records the signal, the first one kept.
void requestEnd(int signal) noexcept;
// The signal that asked for the end, 0 when none did.
int endRequestedBy() noexcept;
// Forgets the request (tests, and a front end that goes on).
void clearEndRequest() noexcept;

// "SIGTERM", "SIGINT", "SIGHUP" (on Windows "Ctrl+C", "Ctrl+Break", "a
// request to close"), or "signal N", for messages.
const char* endSignalName(int signal);

// Throws EndRequested when an end was asked for and no EndDeferred is alive.
void checkEnd();

// While one is alive, checkEnd() lets the run go on: the publications are
// being put in place, which takes milliseconds and must not stop half way.
class EndDeferred {
public:
    EndDeferred();
    ~EndDeferred();
    EndDeferred(const EndDeferred&) = delete;
    EndDeferred& operator=(const EndDeferred&) = delete;
};

} // namespace vr
