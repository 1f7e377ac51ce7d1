// A clock for the runs under test: every line says the same time.
#pragma once

#include "host/watch_clock.h"

namespace vr::testing {

inline constexpr const char* kFixedTime = "2009-11-20 06:31:12";

class FixedClock final : public WatchClock {
public:
    double now() override { return 0; }
    std::string localTime() override { return kFixedTime; }
    void sleep(double) override {}
    bool endRequested() override { return false; }
};

} // namespace vr::testing
