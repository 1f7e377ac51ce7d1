// One run at a time in a league folder: a lock the host takes on the folder
// itself, so that no lock file is left in it, and that the system frees when
// its holder ends, however it ends.
#pragma once

#include <string>

namespace vr {

// What lockHostFolder() gives back; kNoHostLock when the host keeps none.
using HostLock = long;
inline constexpr HostLock kNoHostLock = -1;

enum class LockOutcome { Held, NotSupported, TimedOut };

// Takes `folder` for this process alone, waiting up to `waitMs` while another
// holds it. On Linux an advisory lock (flock) on the folder; on Windows a
// named mutex derived from the folder's path.
LockOutcome lockHostFolder(const std::string& folder, long waitMs, HostLock& lock);
void unlockHostFolder(HostLock lock);

// FileSystem::lockFolder() over the host's lock: false only when the wait
// ran out; `lock` is then, or where the host keeps none, kNoHostLock.
inline bool lockAsFileSystem(const std::string& folder, long waitMs, HostLock& lock) {
    HostLock held = kNoHostLock;
    LockOutcome outcome = lockHostFolder(folder, waitMs, held);
    lock = outcome == LockOutcome::Held ? held : kNoHostLock;
    return outcome != LockOutcome::TimedOut;
}

} // namespace vr
