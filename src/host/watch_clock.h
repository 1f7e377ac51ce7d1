// What the watch needs of the host besides files: a clock, a way to wait,
// and whether the user has asked it to end (Ctrl+C, SIGTERM, the console
// closing). Tests drive the watch with a clock of their own.
#pragma once

#include <string>

namespace vr {

class WatchClock {
public:
    virtual ~WatchClock() = default;
    // Seconds on a clock that never goes back.
    virtual double now() = 0;
    // The local time of day as the watch's lines give it: "2009-11-20 06:31:12".
    virtual std::string localTime() = 0;
    // Waits, and returns early when an end is asked for.
    virtual void sleep(double seconds) = 0;
    virtual bool endRequested() = 0;
};

// The host's clock; the first call makes Ctrl+C and SIGTERM (or the console's
// close on Windows) ask for the end instead of ending the program at once.
// Host code: src/host/.
WatchClock& hostWatchClock();

} // namespace vr
