// The league folder's lock on Windows: to come with the Windows file layer,
// as a named mutex ("Local\vellor-results-" and a hash of the folder's full
// path, case folded), waited on with WaitForSingleObject up to waitMs; an
// abandoned mutex (its holder died) counts as taken. Until then runs are
// not held apart on Windows.
#include "host/folder_lock.h"

namespace vr {

bool lockHostFolder(const std::string& folder, long waitMs, HostLock& lock) {
    (void)folder;
    (void)waitMs;
    lock = kNoHostLock;
    return true;
}

void unlockHostFolder(HostLock lock) {
    (void)lock;
}

} // namespace vr
