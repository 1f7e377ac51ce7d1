// Reads a file line by line through one reused buffer filled in large blocks.
// A line ends at CR LF, a lone LF or a lone CR; a last line without an end
// still counts, and a file that ends in a line end has no extra empty line.
// Memory stays bounded by the longest line plus one block.
#pragma once

#include "text/errors.h"
#include "text/file_system.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

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
    // The first line from here on that starts with `prefix` (no CR or LF in
    // it), as readLine() in a loop would find it, lines before it passed
    // over; past the end the same "End of file" stop. The lines passed over
    // are searched as blocks, not split, and counted only when a line
    // number is asked for.
    std::string_view readLineStartingWith(std::string_view prefix);
    // Number of the last line returned (0 before the first).
    long lineNumber() const;
    const std::string& name() const { return name_; }
    // Closes the file, reporting a failure; the destructor closes quietly.
    void close();
    // Bytes the buffer holds room for: one block unless a long line grew it.
    std::size_t bufferSize() const { return size_; }

private:
    bool refill();
    void grow(std::size_t size);
    void passOver(std::size_t to);
    void countPassedOver() const;

    FileSystem& fs_;
    FileSystem::Handle handle_;
    bool open_ = true;
    std::string name_;
    // Held through malloc, so that growing it can reallocate in place.
    struct FreeBlock {
        void operator()(char* p) const;
    };
    using Block = std::unique_ptr<char, FreeBlock>;
    Block buffer_;
    std::size_t size_ = 0;  // bytes the buffer can hold
    std::size_t start_ = 0; // first byte not yet returned, always a line start
    std::size_t scanned_ = 0; // bytes after start_ known to hold no line end
    std::size_t end_ = 0;   // bytes in the buffer
    bool eof_ = false;
    mutable long line_ = 0;
    // Lines passed over by a search, from this byte up to start_, and not
    // yet counted in line_ (none when equal to start_'s value at the time).
    mutable std::size_t uncountedFrom_ = 0;
    mutable std::size_t uncountedTo_ = 0;
};

// Runs f; a Stop escaping it without a place gets the reader's name and the
// number of its last line, counted only then.
template <class F>
decltype(auto) atLine(const LineReader& reader, F&& f) {
    try {
        return f();
    } catch (Stop& s) {
        s.locate(reader.name(), reader.lineNumber());
        throw;
    }
}

// Offset of the first CR or LF of the n bytes at p, or n when there is none.
std::size_t findLineEnd(const char* p, std::size_t n);

// Offset of the first occurrence of `prefix` in the n bytes at p that starts
// a line: at offset 0 (taken as a line start) or right after a CR or LF; n
// when there is none. Occurrences must lie wholly within the n bytes.
std::size_t findAtLineStart(const char* p, std::size_t n, std::string_view prefix);

// Number of line ends (CR LF, lone LF, lone CR) in the n bytes at p; a CR
// at the very end counts as a lone CR.
long countLineEnds(const char* p, std::size_t n);

} // namespace vr
