#include "text/line_writer.h"

#include "text/errors.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace vr {
std::size_t formatNumberTo(double value, char* out) {
    if (value == 0) value = 0; // negative zero is written as 0
    char* p = out;
    *p++ = std::signbit(value) ? '-' : ' ';
    const double magnitude = std::fabs(value);
    char* end = out + kNumberRoom - 1;
    if (magnitude < 1e15 && magnitude == std::floor(magnitude)) {
        // A whole number of at most 15 digits: "%.15g" gives its digits
        // alone, and integer digits come much cheaper.
        p = std::to_chars(p, end, static_cast<long long>(magnitude)).ptr;
    } else {
        // General format with 15 significant digits, as C's "%.15g", but
        // free of the locale's decimal separator.
        p = std::to_chars(p, end, magnitude, std::chars_format::general, 15).ptr;
    }
    *p++ = ' ';
    return static_cast<std::size_t>(p - out);
}

std::string formatNumber(double value) {
    char digits[kNumberRoom];
    return std::string(digits, formatNumberTo(value, digits));
}

LineWriter::LineWriter(FileSystem& fs, FileSystem::Handle handle, std::string name)
    : fs_(fs), handle_(handle), name_(std::move(name)), buffer_(new char[kFirstBuffer]) {}

LineWriter::~LineWriter() {
    if (!open_) return;
    try {
        drain();
    } catch (...) {
        // Unwinding from a stop: the first stop's message stands.
    }
    try {
        fs_.close(handle_);
    } catch (...) {
    }
}

void LineWriter::writeOut(const char* data, std::size_t n) {
    try {
        fs_.write(handle_, data, n);
    } catch (Stop& s) {
        // What failed never reached the file; nothing more is written, so the
        // file keeps a clean prefix of its lines.
        failed_ = true;
        used_ = 0;
        s.locate(name_);
        throw;
    }
}

void LineWriter::drain() {
    if (failed_ || used_ == 0) return;
    writeOut(buffer_.get(), used_);
    used_ = 0;
    lineStart_ = 0;
}

// Hands the system the buffer's whole lines and keeps the line begun, so
// that a write the system refuses leaves the file ending at a line end.
void LineWriter::drainLines() {
    if (failed_ || lineStart_ == 0) return;
    writeOut(buffer_.get(), lineStart_);
    std::memmove(buffer_.get(), buffer_.get() + lineStart_, used_ - lineStart_);
    used_ -= lineStart_;
    lineStart_ = 0;
}

// Doubles the buffer until `need` bytes fit or it holds kBuffer.
void LineWriter::grow(std::size_t need) {
    std::size_t capacity = capacity_;
    while (capacity < need && capacity < kBuffer) capacity *= 2;
    if (capacity > kBuffer) capacity = kBuffer;
    std::unique_ptr<char[]> bigger(new char[capacity]);
    std::memcpy(bigger.get(), buffer_.get(), used_);
    buffer_ = std::move(bigger);
    capacity_ = capacity;
}

void LineWriter::putBeyond(std::string_view s) {
    if (failed_ || s.empty()) return;
    if (used_ + s.size() > capacity_ && capacity_ < kBuffer) grow(used_ + s.size());
    if (used_ + s.size() > kBuffer) {
        drainLines();
        if (used_ + s.size() > kBuffer) {
            // A line longer than the buffer goes out as it comes.
            drain();
            if (s.size() > kBuffer) {
                writeOut(s.data(), s.size());
                return;
            }
        }
    }
    std::memcpy(buffer_.get() + used_, s.data(), s.size());
    used_ += s.size();
}

void LineWriter::spaces(int n) {
    static const std::string blanks(256, ' ');
    while (n > 0) {
        int k = n < 256 ? n : 256;
        put(std::string_view(blanks.data(), static_cast<std::size_t>(k)));
        n -= k;
    }
}

LineWriter& LineWriter::number(NumberValue value, After a) {
    if (value) {
        char digits[kNumberRoom];
        std::size_t n = formatNumberTo(*value, digits);
        put(std::string_view(digits, n));
        column_ += static_cast<int>(n);
    }
    after(a);
    return *this;
}

void LineWriter::after(After a) {
    if (a == After::Zone) zone();
    else if (a == After::EndLine) endLine();
}

LineWriter& LineWriter::zone() {
    int next = ((column_ - 1) / kZone + 1) * kZone + 1;
    spaces(next - column_);
    column_ = next;
    return *this;
}

LineWriter& LineWriter::moveTo(int column) {
    if (column_ - 1 >= column) endLine();
    spaces(column - column_);
    column_ = column;
    return *this;
}

void LineWriter::close() {
    if (!open_) return;
    open_ = false;
    try {
        drain();
        fs_.flush(handle_);
    } catch (Stop& s) {
        try {
            fs_.close(handle_);
        } catch (...) {
        }
        s.locate(name_);
        throw;
    }
    at(name_, 0, [&] { fs_.close(handle_); });
}

} // namespace vr
