// Writes text files line by line as TEXT and NUMBER items, each followed by
// nothing, an advance to the next print zone, or the end of the line (CR LF).
// Output goes through one large buffer; every failure of the system stops
// the run. When a stop unwinds, the destructor flushes and closes the file so
// it keeps exactly the lines that reached it.
#pragma once

#include "text/file_system.h"

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

    LineWriter& text(std::string_view s, After after = After::Nothing);
    LineWriter& number(NumberValue value, After after = After::Nothing);
    // Pads to column n; a line already holding n or more characters is ended
    // and the next starts with n-1 spaces.
    LineWriter& moveTo(int column);
    LineWriter& zone();
    LineWriter& endLine();
    // A whole TEXT line.
    LineWriter& line(std::string_view s) { return text(s, After::EndLine); }

    // Flushes and closes, reporting failures.
    void close();
    const std::string& name() const { return name_; }

private:
    void after(After a);
    void put(std::string_view s);
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
