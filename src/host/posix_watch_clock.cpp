// The watch's clock on POSIX hosts: the monotonic clock, nanosleep, and
// SIGINT/SIGTERM turned into a request to end between runs.
#include "host/watch_clock.h"

#include <csignal>
#include <ctime>

namespace vr {
namespace {

volatile std::sig_atomic_t endAsked = 0;

extern "C" void askEnd(int) { endAsked = 1; }

class PosixWatchClock final : public WatchClock {
public:
    PosixWatchClock() {
        struct sigaction action {};
        action.sa_handler = askEnd;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0; // no SA_RESTART: a wait in progress ends at once
        sigaction(SIGINT, &action, nullptr);
        sigaction(SIGTERM, &action, nullptr);
    }
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
        if (endAsked || seconds <= 0) return;
        timespec ts{};
        ts.tv_sec = static_cast<std::time_t>(seconds);
        ts.tv_nsec = static_cast<long>((seconds - static_cast<double>(ts.tv_sec)) * 1e9);
        nanosleep(&ts, nullptr); // a signal cuts it short
    }
    bool endRequested() override { return endAsked != 0; }
};

} // namespace

WatchClock& hostWatchClock() {
    static PosixWatchClock clock;
    return clock;
}

} // namespace vr
