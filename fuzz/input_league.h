// The league every target works in: an in-memory league folder whose reads
// arrive in pieces chosen by the input (see chunked_reads.h), with the input
// itself laid down as the one file under test.
#pragma once

#include "chunked_reads.h"
#include "contract.h"
#include "testsupport/memory_league.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vr::fuzz {

struct InputLeague {
    // A league folder holding nothing yet; the target lays out its files.
    InputLeague(const std::uint8_t* data, std::size_t size)
        : chunked(memory.fs, ChunkedReads::chunkFor(data, size)), league(chunked, testing::kDrive) {}

    // The same, with the input stored at `path`.
    InputLeague(const std::uint8_t* data, std::size_t size, const std::string& path) : InputLeague(data, size) {
        memory.put(path, bytesOf(data, size));
    }

    testing::MemoryLeague memory;
    ChunkedReads chunked;
    LeagueFolder league;
};

} // namespace vr::fuzz
