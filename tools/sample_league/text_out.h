// A growing byte buffer for one output file, written to disk in one go.
//
// Pages run to tens of kilobytes and the full league has thousands of them,
// so lines are appended into one reused buffer instead of being built as
// separate strings.
#pragma once

#include <charconv>
#include <string>
#include <string_view>

namespace sample {

class TextOut {
public:
    explicit TextOut(std::string_view eol = "\r\n") : eol_(eol) {}

    TextOut& operator<<(std::string_view text) {
        buf_.append(text);
        return *this;
    }
    TextOut& operator<<(char c) {
        buf_.push_back(c);
        return *this;
    }
    TextOut& operator<<(int value) {
        char digits[16];
        auto res = std::to_chars(digits, digits + sizeof digits, value);
        buf_.append(digits, res.ptr);
        return *this;
    }

    // Ends the current line.
    TextOut& end() {
        buf_.append(eol_);
        return *this;
    }
    // A whole line at once.
    TextOut& line(std::string_view text) {
        buf_.append(text);
        buf_.append(eol_);
        return *this;
    }

    // Pads the current line with spaces up to `width` characters.
    TextOut& pad_to(std::size_t line_start, std::size_t width) {
        const std::size_t used = buf_.size() - line_start;
        if (used < width) buf_.append(width - used, ' ');
        return *this;
    }

    std::size_t size() const { return buf_.size(); }
    const std::string& str() const { return buf_; }
    void clear() { buf_.clear(); }
    void reserve(std::size_t n) { buf_.reserve(n); }

private:
    std::string buf_;
    std::string_view eol_;
};

// Two-digit and plain number texts used by several pages.
inline std::string num(int value) {
    char digits[16];
    auto res = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, res.ptr);
}

}  // namespace sample
