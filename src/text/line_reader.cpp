#include "text/line_reader.h"

#include "text/errors.h"

#include <cstring>

namespace vr {

LineReader::LineReader(FileSystem& fs, FileSystem::Handle handle, std::string name)
    : fs_(fs), handle_(handle), name_(std::move(name)), buffer_(kBlock) {}

LineReader::~LineReader() {
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

// Moves the unread bytes to the front, grows the buffer only when one line
// fills it, and reads one more block. False at the end of the file.
bool LineReader::refill() {
    if (eof_) return false;
    if (start_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + start_, end_ - start_);
        end_ -= start_;
        start_ = 0;
    }
    if (buffer_.size() - end_ < kBlock) buffer_.resize(end_ + kBlock);
    std::size_t got = at(name_, 0, [&] {
        return fs_.read(handle_, buffer_.data() + end_, buffer_.size() - end_);
    });
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
        const char* base = buffer_.data() + start_;
        std::size_t avail = end_ - start_;
        std::size_t i = scanned_;
        while (i < avail && base[i] != '\n' && base[i] != '\r') ++i;
        if (i < avail) {
            std::size_t next = i + 1;
            if (base[i] == '\r') {
                if (next == avail && !eof_) {
                    // A CR at the block's end: the next byte decides.
                    scanned_ = i;
                    if (refill()) continue;
                    base = buffer_.data() + start_;
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
            if (start_ >= end_) throw Stop(StopKind::EndOfFile, name_, line_ + 1);
            std::string_view line(buffer_.data() + start_, end_ - start_);
            start_ = end_;
            scanned_ = 0;
            ++line_;
            return line;
        }
    }
}

} // namespace vr
