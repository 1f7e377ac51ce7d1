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
    // Only the heap above a large-page boundary can have large pages, and
    // the heap starts anywhere below one: the rest below it is taken by a
    // block never touched nor freed, so that what the run makes comes from
    // above. Taking it grows the heap by the pad, untouched, and large pages
    // are asked for there before anything is written to it (a page written
    // first keeps its whole large page small).
    // The heap's free top runs up to the break.
    const auto at = reinterpret_cast<std::uintptr_t>(::sbrk(0)) - mallinfo2().keepcost;
    std::uintptr_t boundary = (at + kLargePage - 1) & ~(kLargePage - 1);
    if (boundary - at < 4096) boundary += kLargePage;
    static void* const below = std::malloc(boundary - at - 256);
    if (!below) return;
    const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    if (boundary < end) ::madvise(reinterpret_cast<void*>(boundary), end - boundary, MADV_HUGEPAGE);
#endif
}

} // namespace vr
