// Handles let go of on a thread of their own. The system frees a file's
// blocks and cached pages when its last name and handle go: for a
// publication of megabytes replaced by a rename that takes milliseconds,
// which the run need not wait for.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace vr {

class ReleaseAside {
public:
    ReleaseAside() = default;
    // Closes what is still handed over, then ends the thread.
    ~ReleaseAside();
    ReleaseAside(const ReleaseAside&) = delete;
    ReleaseAside& operator=(const ReleaseAside&) = delete;

    // Closes `fd` on the thread, started at the first call; here where no
    // thread can be had.
    void close(int fd);

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<int> handed_;
    bool ending_ = false;
    bool started_ = false;
    std::thread thread_;
};

} // namespace vr
