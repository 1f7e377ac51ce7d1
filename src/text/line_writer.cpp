#include "text/line_writer.h"

#include "text/errors.h"

#include <charconv>
#include <cmath>

namespace vr {

std::string formatNumber(double value) {
    if (value == 0) value = 0; // negative zero is written as 0
    char digits[64];
    // General format with 15 significant digits, as C's "%.15g", but free of
    // the locale's decimal separator.
    auto res = std::to_chars(digits, digits + sizeof digits, std::fabs(value),
                             std::chars_format::general, 15);
    std::string out;
    out.reserve(static_cast<std::size_t>(res.ptr - digits) + 2);
    out += std::signbit(value) ? '-' : ' ';
    out.append(digits, res.ptr);
    out += ' ';
    return out;
}

LineWriter::LineWriter(FileSystem& fs, FileSystem::Handle handle, std::string name)
    : fs_(fs), handle_(handle), name_(std::move(name)) {
    buffer_.reserve(kBuffer);
}

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

void LineWriter::drain() {
    if (failed_ || buffer_.empty()) return;
    try {
        fs_.write(handle_, buffer_.data(), buffer_.size());
    } catch (Stop& s) {
        // What failed never reached the file; nothing more is written, so the
        // file keeps a clean prefix of its lines.
        failed_ = true;
        buffer_.clear();
        s.locate(name_);
        throw;
    }
    buffer_.clear();
}

void LineWriter::put(std::string_view s) {
    if (buffer_.size() + s.size() > kBuffer) {
        drain();
        if (s.size() > kBuffer) {
            buffer_.assign(s);
            drain();
            return;
        }
    }
    buffer_.append(s);
}

void LineWriter::spaces(int n) {
    static const std::string blanks(256, ' ');
    while (n > 0) {
        int k = n < 256 ? n : 256;
        put(std::string_view(blanks.data(), static_cast<std::size_t>(k)));
        n -= k;
    }
}

LineWriter& LineWriter::text(std::string_view s, After a) {
    put(s);
    column_ += static_cast<int>(s.size());
    after(a);
    return *this;
}

LineWriter& LineWriter::number(NumberValue value, After a) {
    if (value) {
        std::string s = formatNumber(*value);
        put(s);
        column_ += static_cast<int>(s.size());
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

LineWriter& LineWriter::endLine() {
    put("\r\n");
    column_ = 1;
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
