// Writes text files line by line as TEXT and NUMBER items, each followed by
// nothing, an advance to the next print zone, or the end of the line (CR LF).
// Output goes through one large buffer; every failure of the system stops
// the run. When a stop unwinds, the destructor flushes and closes the file so
// it keeps exactly the lines that reached it.
#pragma once

#include "text/file_system.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vr {

enum class After { Nothing, Zone, EndLine };

// A number item's value; empty writes nothing at all.
using NumberValue = std::optional<double>;

// " 5 ", "-5 ", " 12.5 ": sign or space, "%.15g" digits, one space.
std::string formatNumber(double value);
// The same into `out`, which has room for kNumberRoom bytes; the length.
inline constexpr std::size_t kNumberRoom = 64;
std::size_t formatNumberTo(double value, char* out);

class LineWriter {
public:
    // The system is handed kBuffer bytes at a time; the buffer starts at
    // kFirstBuffer and doubles up to that, so the many small files cost no
    // large block each.
    static constexpr std::size_t kBuffer = 256 * 1024;
    static constexpr std::size_t kFirstBuffer = 4 * 1024;
    static constexpr int kZone = 14;

    // Takes over the open handle; `name` is the file as messages name it.
    LineWriter(FileSystem& fs, FileSystem::Handle handle, std::string name);
    ~LineWriter();
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    // The items of a line, a hundred thousand in a season's records, go
    // into the buffer here; only the rare rest is out of line.
    LineWriter& text(std::string_view s, After after = After::Nothing) {
        put(s);
        column_ += static_cast<int>(s.size());
        if (after != After::Nothing) this->after(after);
        return *this;
    }
    LineWriter& number(NumberValue value, After after = After::Nothing);
    // Pads to column n; a line already holding n or more characters is ended
    // and the next starts with n-1 spaces.
    LineWriter& moveTo(int column);
    LineWriter& zone();
    LineWriter& endLine() {
        put("\r\n");
        lineStart_ = used_;
        column_ = 1;
        return *this;
    }
    // A whole TEXT line.
    LineWriter& line(std::string_view s) { return text(s, After::EndLine); }

    // Flushes and closes, reporting failures.
    void close();
    const std::string& name() const { return name_; }

private:
    void after(After a);
    void put(std::string_view s) {
        if (s.size() <= capacity_ - used_ && !failed_) {
            if (!s.empty()) std::memcpy(buffer_.get() + used_, s.data(), s.size());
            used_ += s.size();
        } else {
            putBeyond(s);
        }
    }
    // What does not fit the buffer as it is.
    void putBeyond(std::string_view s);
    void grow(std::size_t need);
    void spaces(int n);
    void drain();
    void drainLines();
    void writeOut(const char* data, std::size_t n);

    FileSystem& fs_;
    FileSystem::Handle handle_;
    std::string name_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = kFirstBuffer;
    std::size_t used_ = 0;
    std::size_t lineStart_ = 0; // where the line begun starts in the buffer
    int column_ = 1; // where the next character goes
    bool open_ = true;
    bool failed_ = false;
};

} // namespace vr
