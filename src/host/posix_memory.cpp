#include "host/memory.h"

#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace vr {

void prepareHeap() {
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
    constexpr std::size_t kPad = std::size_t{32} << 20;
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    // Large blocks come from the heap as well, and freed memory stays with
    // the process: reused, it faults no more.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    // One heap for every thread: the entries a listing thread makes for
    // thousands of files would otherwise fault in a fresh arena of their own.
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
    mallopt(M_TOP_PAD, static_cast<int>(kPad));
    // Grow the heap by the pad now, and ask for large pages in it (the
    // system decides; where it has none, nothing changes).
    void* grow = std::malloc(256 << 10);
    if (!grow) return;
    const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    std::free(grow);
    if (end < kPad) return;
    const std::uintptr_t begin = (end - kPad + kLargePage - 1) & ~(kLargePage - 1);
    if (begin < end) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

} // namespace vr
