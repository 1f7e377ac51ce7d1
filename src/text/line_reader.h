// Reads a file line by line through one reused buffer filled in large blocks.
// A line ends at CR LF, a lone LF or a lone CR; a last line without an end
// still counts, and a file that ends in a line end has no extra empty line.
// Memory stays bounded by the longest line plus one block.
#pragma once

#include "text/file_system.h"

#include <string>
#include <string_view>
#include <vector>

namespace vr {

class LineReader {
public:
    static constexpr std::size_t kBlock = 64 * 1024;

    // Takes over the open handle; `name` is the file as messages name it.
    LineReader(FileSystem& fs, FileSystem::Handle handle, std::string name);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // True when no line is left. Comes before each read.
    bool atEnd();
    // The next line, valid until the next call; past the end an
    // "End of file" stop with the number the missing line would have had.
    std::string_view readLine();
    // Number of the last line returned (0 before the first).
    long lineNumber() const { return line_; }
    const std::string& name() const { return name_; }
    // Closes the file, reporting a failure; the destructor closes quietly.
    void close();

private:
    bool refill();

    FileSystem& fs_;
    FileSystem::Handle handle_;
    bool open_ = true;
    std::string name_;
    std::vector<char> buffer_;
    std::size_t start_ = 0; // first byte not yet returned
    std::size_t scanned_ = 0; // bytes after start_ known to hold no line end
    std::size_t end_ = 0;   // bytes in the buffer
    bool eof_ = false;
    long line_ = 0;
};

} // namespace vr
