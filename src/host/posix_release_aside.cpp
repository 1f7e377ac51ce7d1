#include "host/posix_release_aside.h"

#include <system_error>
#include <unistd.h>

namespace vr {

ReleaseAside::~ReleaseAside() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ending_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
    for (int fd : handed_) ::close(fd);
}

void ReleaseAside::close(int fd) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!started_) {
            started_ = true;
            try {
                thread_ = std::thread([this] { run(); });
            } catch (const std::system_error&) {
            }
        }
        if (thread_.joinable()) {
            handed_.push_back(fd);
            fd = -1;
        }
    }
    if (fd < 0) {
        wake_.notify_one();
        return;
    }
    ::close(fd);
}

void ReleaseAside::run() {
    std::vector<int> taken;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return ending_ || !handed_.empty(); });
        if (handed_.empty()) return;
        taken.swap(handed_);
        lock.unlock();
        for (int fd : taken) ::close(fd);
        taken.clear();
        lock.lock();
    }
}

} // namespace vr
