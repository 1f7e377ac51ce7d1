// One run at a time in a league folder: a lock the host takes on the folder
// itself, so that no lock file is left in it, and that the system frees when
// its holder ends, however it ends.
#pragma once

#include <string>

namespace vr {

// What lockHostFolder() gives back; kNoHostLock when the host keeps none.
using HostLock = long;
inline constexpr HostLock kNoHostLock = -1;

// Takes `folder` for this process alone, waiting up to `waitMs` while another
// holds it: false when the wait ran out. `lock` is kNoHostLock where nothing
// could be held (no such locks there): the run goes on unheld. On Linux an
// advisory lock (flock) on the folder; on Windows a named mutex derived from
// the folder's path.
bool lockHostFolder(const std::string& folder, long waitMs, HostLock& lock);
void unlockHostFolder(HostLock lock);

} // namespace vr
