// A file system that hands out reads of at most a few bytes, as a slow disk
// or a pipe may: the readers must give the same lines however the bytes
// arrive. The chunk comes from the input's first byte, so the fuzzer varies
// it: below 128 whole reads, else 1 to 61 bytes.
#pragma once

#include "text/file_system.h"

#include <algorithm>
#include <cstdint>

namespace vr::fuzz {

class ChunkedReads final : public FileSystem {
public:
    ChunkedReads(FileSystem& inner, std::size_t chunk) : inner_(inner), chunk_(chunk) {}

    static std::size_t chunkFor(const std::uint8_t* data, std::size_t size) {
        if (size == 0 || data[0] < 128) return static_cast<std::size_t>(-1);
        return 1 + data[0] % 61;
    }

    Handle open(const std::string& path, OpenMode mode) override { return inner_.open(path, mode); }
    std::size_t read(Handle h, char* buffer, std::size_t n) override {
        return inner_.read(h, buffer, std::min(n, chunk_));
    }
    void write(Handle h, const char* data, std::size_t n) override { inner_.write(h, data, n); }
    void flush(Handle h) override { inner_.flush(h); }
    void close(Handle h) override { inner_.close(h); }
    EntryKind kind(const std::string& path) override { return inner_.kind(path); }
    std::vector<std::string> list(const std::string& folder) override { return inner_.list(folder); }
    std::vector<std::string> listFiles(const std::string& folder) override { return inner_.listFiles(folder); }
    void rename(const std::string& from, const std::string& to) override { inner_.rename(from, to); }
    void remove(const std::string& path) override { inner_.remove(path); }

private:
    FileSystem& inner_;
    std::size_t chunk_;
};

} // namespace vr::fuzz
