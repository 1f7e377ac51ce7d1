// The watch's clock on POSIX hosts: the monotonic clock, nanosleep, and
// SIGINT/SIGTERM/SIGHUP turned into a request to end (host/end_signals.h).
#include "host/watch_clock.h"
#include "host/end_signals.h"
#include "text/end_request.h"

#include <csignal>
#include <ctime>

namespace vr {
namespace {

class PosixWatchClock final : public WatchClock {
public:
    PosixWatchClock() { catchEndSignals(); }
    double now() override {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
    }
    std::string localTime() override {
        std::time_t t = std::time(nullptr);
        std::tm local{};
        localtime_r(&t, &local);
        char text[32];
        std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
        return std::string(text, n);
    }
    void sleep(double seconds) override {
        if (endRequested() || seconds <= 0) return;
        timespec ts{};
        ts.tv_sec = static_cast<std::time_t>(seconds);
        ts.tv_nsec = static_cast<long>((seconds - static_cast<double>(ts.tv_sec)) * 1e9);
        nanosleep(&ts, nullptr); // a signal cuts it short
    }
    bool endRequested() override { return endRequestedBy() != 0; }
};

} // namespace

WatchClock& hostWatchClock() {
    static PosixWatchClock clock;
    return clock;
}

} // namespace vr
