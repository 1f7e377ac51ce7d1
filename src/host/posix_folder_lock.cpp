// The league folder's lock on POSIX hosts: flock on the folder's own
// descriptor. Locks of different opens exclude each other, in one process as
// in two, and the system drops a lock when its holder dies.
#include "host/folder_lock.h"
#include "text/end_request.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace vr {

LockOutcome lockHostFolder(const std::string& folder, long waitMs, HostLock& lock) {
    lock = kNoHostLock;
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder that cannot be opened: the handler's own opens will say why.
    if (fd < 0) return LockOutcome::NotSupported;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            lock = fd;
            return LockOutcome::Held;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            // A file system without locks (some network shares): run unheld.
            ::close(fd);
            return LockOutcome::NotSupported;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            return LockOutcome::TimedOut;
        }
        if (endRequestedBy() != 0) {
            ::close(fd);
            checkEnd(); // nothing written yet: the run may end here
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void unlockHostFolder(HostLock lock) {
    if (lock != kNoHostLock) ::close(static_cast<int>(lock)); // closing drops the lock
}

} // namespace vr
