#include "text/line_reader.h"

#include "text/errors.h"

#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vr {
namespace {

// The buffer of the reader that closed last, kept for the next one: pages
// are read one after another (a few at most nested), so a run of thousands
// of pages allocates a handful of blocks instead of one each.
struct SpareBuffer {
    std::unique_ptr<char, void (*)(char*)> data{nullptr, [](char* p) { std::free(p); }};
};
thread_local SpareBuffer spare;

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

bool prefixAt(const char* p, std::size_t at, std::string_view prefix) {
    return std::memcmp(p + at, prefix.data(), prefix.size()) == 0 && (at == 0 || isLineEnd(p[at - 1]));
}

} // namespace

std::size_t findLineEnd(const char* p, std::size_t n) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= n; i += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    }
#endif
    while (i < n && !isLineEnd(p[i])) ++i;
    return i;
}

// Candidates are the places where both the prefix's first and last bytes
// stand, 64 places at a time; few survive to the full comparison.
std::size_t findAtLineStart(const char* p, std::size_t n, std::string_view prefix) {
    const std::size_t k = prefix.size();
    if (k == 0) return 0;
    if (k > n) return n;
    auto matches = [&](std::size_t at) { return prefixAt(p, at, prefix); };
    std::size_t at = 0;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(prefix.front());
    const __m128i last = _mm_set1_epi8(prefix.back());
    auto candidates = [&](const char* q) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q + k - 1));
        return _mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last));
    };
    for (; at + k - 1 + 64 <= n; at += 64) {
        __m128i c0 = candidates(p + at), c1 = candidates(p + at + 16);
        __m128i c2 = candidates(p + at + 32), c3 = candidates(p + at + 48);
        __m128i any = _mm_or_si128(_mm_or_si128(c0, c1), _mm_or_si128(c2, c3));
        if (_mm_movemask_epi8(any) == 0) continue;
        std::uint64_t mask = static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(c0))) |
                             static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(c1))) << 16 |
                             static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(c2))) << 32 |
                             static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(c3))) << 48;
        while (mask != 0) {
            std::size_t candidate = at + static_cast<std::size_t>(__builtin_ctzll(mask));
            if (matches(candidate)) return candidate;
            mask &= mask - 1;
        }
    }
#endif
    for (; at + k <= n; ++at)
        if (p[at] == prefix.front() && matches(at)) return at;
    return n;
}

long countLineEnds(const char* p, std::size_t n) {
    long count = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (p[i] == '\n') ++count;
        else if (p[i] == '\r' && (i + 1 == n || p[i + 1] != '\n')) ++count;
    }
    return count;
}

LineReader::LineReader(FileSystem& fs, FileSystem::Handle handle, std::string name)
    : fs_(fs), handle_(handle), name_(std::move(name)) {
    if (spare.data) {
        buffer_.reset(spare.data.release());
    } else {
        // Left uninitialised: only bytes the file system wrote are looked at.
        buffer_.reset(static_cast<char*>(std::malloc(kBlock)));
        if (!buffer_) throw std::bad_alloc();
    }
    size_ = kBlock;
}

void LineReader::FreeBlock::operator()(char* p) const { std::free(p); }

LineReader::~LineReader() {
    // Only a plain block is kept; one grown by a long line goes.
    if (!spare.data && size_ == kBlock) spare.data.reset(buffer_.release());
    if (open_) {
        try {
            fs_.close(handle_);
        } catch (...) {
            // Input closes at a stop cannot lose data; the first stop stands.
        }
    }
}

void LineReader::close() {
    if (!open_) return;
    open_ = false;
    at(name_, 0, [&] { fs_.close(handle_); });
}

// Only a line longer than the buffer grows it, to that line plus one block.
// The block is reallocated rather than copied beside itself: the system
// remaps large blocks in place, so a long line is neither held twice nor
// copied over and over as it grows block by block.
void LineReader::grow(std::size_t size) {
    char* bigger = static_cast<char*>(std::realloc(buffer_.get(), size));
    if (!bigger) throw std::bad_alloc();
    (void)buffer_.release();
    buffer_.reset(bigger);
    size_ = size;
}

// Moves the unread bytes to the front, grows the buffer only when one line
// fills more than half of it, and reads what room is left. False at the end
// of the file.
bool LineReader::refill() {
    if (eof_) return false;
    if (start_ > 0) {
        countPassedOver(); // those bytes are about to go
        std::memmove(buffer_.get(), buffer_.get() + start_, end_ - start_);
        end_ -= start_;
        start_ = 0;
    }
    // A line begun takes part of the block; the next read fills the rest.
    // Only a line that leaves less than half a block free grows it.
    if (size_ - end_ < kBlock / 2) grow(end_ + kBlock);
    std::size_t got = at(name_, 0, [&] { return fs_.read(handle_, buffer_.get() + end_, size_ - end_); });
    if (got == 0) {
        eof_ = true;
        return false;
    }
    end_ += got;
    return true;
}

bool LineReader::atEnd() {
    if (start_ < end_) return false;
    return !refill();
}

std::string_view LineReader::readLine() {
    for (;;) {
        const char* base = buffer_.get() + start_;
        std::size_t avail = end_ - start_;
        std::size_t i = scanned_ + findLineEnd(base + scanned_, avail - scanned_);
        if (i < avail) {
            std::size_t next = i + 1;
            if (base[i] == '\r') {
                if (next == avail && !eof_) {
                    // A CR at the block's end: the next byte decides.
                    scanned_ = i;
                    if (refill()) continue;
                    base = buffer_.get() + start_;
                    avail = end_ - start_;
                }
                if (next < avail && base[next] == '\n') ++next;
            }
            std::string_view line(base, i);
            start_ += next;
            scanned_ = 0;
            ++line_;
            return line;
        }
        scanned_ = avail;
        if (!refill()) {
            if (start_ >= end_) throw Stop(StopKind::EndOfFile, name_, lineNumber() + 1);
            std::string_view line(buffer_.get() + start_, end_ - start_);
            start_ = end_;
            scanned_ = 0;
            ++line_;
            return line;
        }
    }
}

// The lines from start_ up to `to` (a line start) are passed over unsplit.
void LineReader::passOver(std::size_t to) {
    if (uncountedTo_ != start_) countPassedOver();
    if (uncountedFrom_ == uncountedTo_) uncountedFrom_ = start_;
    uncountedTo_ = to;
    start_ = to;
    scanned_ = 0;
}

void LineReader::countPassedOver() const {
    if (uncountedTo_ > uncountedFrom_)
        line_ += countLineEnds(buffer_.get() + uncountedFrom_, uncountedTo_ - uncountedFrom_);
    uncountedFrom_ = uncountedTo_ = 0;
}

long LineReader::lineNumber() const {
    countPassedOver();
    return line_;
}

std::string_view LineReader::readLineStartingWith(std::string_view prefix) {
    for (;;) {
        const char* base = buffer_.get() + start_;
        std::size_t avail = end_ - start_;
        std::size_t hit = findAtLineStart(base, avail, prefix);
        if (hit < avail) {
            passOver(start_ + hit);
            return readLine();
        }
        if (eof_) break;
        // No line of the buffer starts with the prefix, but the last one may
        // go on in the next block: keep it, from its start. A CR at the very
        // end may be the first half of a CR LF, so its line is kept too.
        std::size_t keep = avail;
        while (keep > 0 && !isLineEnd(base[keep - 1])) --keep;
        if (keep == avail && keep > 0 && base[keep - 1] == '\r') {
            --keep;
            while (keep > 0 && !isLineEnd(base[keep - 1])) --keep;
        }
        passOver(start_ + keep);
        refill();
    }
    // No line left starts with the prefix: read them as readLine() would, up
    // to its "End of file" stop.
    for (;;) readLine();
}

} // namespace vr
