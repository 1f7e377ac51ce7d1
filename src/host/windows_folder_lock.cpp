// The league folder's lock on Windows: a named mutex ("Local\vellor-results-"
// and a hash of the folder's full path, case folded, as NTFS ignores case),
// waited on up to waitMs or until an end is asked for. The system releases a mutex whose holder died
// (abandoned), which then counts as taken. A mutex is re-entered by the
// thread holding it, so the locks this process holds are kept apart by name,
// as flock keeps two opens of one process apart on Linux.
#include "host/folder_lock.h"

#include "host/windows_end_signals.h"
#include "host/windows_paths.h"
#include "text/end_request.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

namespace vr {
namespace {

struct Held {
    HANDLE mutex = nullptr;
    std::wstring name;
};

std::vector<Held>& heldLocks() {
    static std::vector<Held> held;
    return held;
}

bool heldHere(const std::wstring& name) {
    const std::vector<Held>& held = heldLocks();
    return std::any_of(held.begin(), held.end(), [&](const Held& h) { return h.mutex && h.name == name; });
}

std::wstring mutexName(const std::string& folder) {
    std::wstring path = systemPath(folder);
    while (path.size() > 1 && path.back() == L'\\') path.pop_back();
    if (!path.empty()) CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    std::uint64_t hash = 1469598103934665603ULL; // FNV-1a
    for (wchar_t c : path) {
        hash ^= static_cast<std::uint16_t>(c);
        hash *= 1099511628211ULL;
    }
    wchar_t hex[17];
    for (int i = 15; i >= 0; --i, hash >>= 4) hex[i] = L"0123456789abcdef"[hash & 0xF];
    hex[16] = L'\0';
    return std::wstring(L"Local\\vellor-results-") + hex;
}

} // namespace

LockOutcome lockHostFolder(const std::string& folder, long waitMs, HostLock& lock) {
    lock = kNoHostLock;
    const std::wstring name = mutexName(folder);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    // Held by this process already: wait for it to be let go, as another
    // process would.
    while (heldHere(name)) {
        if (std::chrono::steady_clock::now() >= deadline) return LockOutcome::TimedOut;
        if (WaitForSingleObject(endRequestEvent(), 20) == WAIT_OBJECT_0) checkEnd();
    }
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    if (!mutex) return LockOutcome::NotSupported;
    auto left = [&] {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        return static_cast<DWORD>(std::max<long long>(0, ms.count()));
    };
    // Ctrl+C while another run holds the folder: nothing is written yet, the
    // run may end here.
    HANDLE waitedFor[2] = {mutex, endRequestEvent()};
    DWORD wait = WaitForMultipleObjects(2, waitedFor, FALSE, left());
    if (wait == WAIT_OBJECT_0 + 1) {
        try {
            checkEnd();
        } catch (...) {
            CloseHandle(mutex);
            throw;
        }
        wait = WaitForSingleObject(mutex, left()); // the end was put off
    }
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return wait == WAIT_TIMEOUT ? LockOutcome::TimedOut : LockOutcome::NotSupported;
    }
    std::vector<Held>& held = heldLocks();
    auto slot = std::find_if(held.begin(), held.end(), [](const Held& h) { return !h.mutex; });
    if (slot == held.end()) slot = held.insert(held.end(), Held{});
    *slot = Held{mutex, name};
    lock = static_cast<HostLock>(slot - held.begin());
    return LockOutcome::Held;
}

void unlockHostFolder(HostLock lock) {
    std::vector<Held>& held = heldLocks();
    if (lock < 0 || static_cast<std::size_t>(lock) >= held.size()) return;
    Held& h = held[static_cast<std::size_t>(lock)];
    if (!h.mutex) return;
    ReleaseMutex(h.mutex);
    CloseHandle(h.mutex);
    h = Held{};
}

} // namespace vr
