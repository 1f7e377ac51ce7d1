// The line reader's memory on real files: bounded by the longest line plus
// one block, whatever the file holds. Measured as the growth of the
// process's peak resident memory (reset through /proc before each read), so
// only without AddressSanitizer, whose allocator keeps freed blocks and
// copies on every reallocation.
#include "text/line_reader.h"

#include "testsupport/memory_league.h"
#include "testsupport/process_memory.h"
#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define VR_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VR_UNDER_ASAN 1
#endif
#endif

namespace vr {
namespace {

namespace fs = std::filesystem;

using testing::statusBytes;
using testing::stopMessage;

// How far the peak resident memory rose above the memory in use while f ran.
template <class F>
long peakGrowth(F&& f) {
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from here
    const long before = statusBytes("VmRSS");
    f();
    return statusBytes("VmHWM") - before;
}

class ReaderMemory : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef VR_UNDER_ASAN
        GTEST_SKIP() << "memory is measured without AddressSanitizer";
#endif
        if (statusBytes("VmHWM") < 0) GTEST_SKIP() << "no /proc/self/status here";
        folder_ = testing::makeTemporaryFolder("vr-reader-memory");
        ASSERT_FALSE(folder_.empty());
    }
    void TearDown() override {
        std::error_code ignored;
        if (!folder_.empty()) fs::remove_all(folder_, ignored);
    }

    // Reads every line of the file; the length of the longest.
    static std::size_t readAll(const fs::path& file, long& lines) {
        FileSystem& host = hostFileSystem();
        LineReader reader(host, host.open(file.string(), OpenMode::Input), "file");
        std::size_t longest = 0;
        lines = 0;
        while (!reader.atEnd()) {
            longest = std::max(longest, reader.readLine().size());
            ++lines;
        }
        reader.close();
        return longest;
    }

    // Room for the page rounding and the allocator's own bookkeeping.
    static constexpr long kSlack = 1024 * 1024;
    fs::path folder_;
};

// A line of the longest length comes whole; a 10 MB one without a line end
// stops naming its line, having held no more than the longest line's room,
// and so does the search for a label over it.
TEST_F(ReaderMemory, ATenMegabyteLineWithoutALineEnd) {
    const fs::path file = folder_ / "long.htm";
    const std::size_t size = 10 * 1024 * 1024;
    auto writeLines = [&](std::size_t firstLine, std::size_t secondLine) {
        // Written a block at a time: a 10 MB string of the test's own would
        // change how the allocator serves the reader afterwards.
        std::ofstream out(file, std::ios::binary);
        out << "first\r\n";
        const std::string block(LineReader::kBlock, 'x');
        for (std::size_t line : {firstLine, secondLine}) {
            for (std::size_t put = 0; put < line; put += block.size())
                out << std::string_view(block).substr(0, std::min(block.size(), line - put));
            out << "\n";
        }
    };
    long lines = 0;
    std::size_t longest = 0;
    writeLines(LineReader::kLongestLine, 10);
    EXPECT_EQ(readAll(file, lines), LineReader::kLongestLine);
    EXPECT_EQ(lines, 3);

    writeLines(10, size);
    std::string stop;
    const long growth = peakGrowth([&] {
        try {
            longest = readAll(file, lines);
        } catch (const Stop& s) {
            stop = s.message() + " / " + s.note();
        }
    });
    EXPECT_EQ(stop, "Invalid argument: file, line 3 / The line is too long to be the game's: the file is damaged "
                    "or not one of the game's pages.");
    EXPECT_LE(growth, static_cast<long>(LineReader::kLongestLine + 2 * LineReader::kBlock) + kSlack);

    FileSystem& host = hostFileSystem();
    LineReader reader(host, host.open(file.string(), OpenMode::Input), "file");
    EXPECT_EQ(stopMessage([&] { reader.readLineStartingWith("Player of the Game:"); }), "Invalid argument: file, line 3");
}

TEST_F(ReaderMemory, BinaryGarbage) {
    // Random bytes with a line end now and then: many short lines, NULs and
    // every other byte as data.
    const fs::path file = folder_ / "garbage.htm";
    {
        std::mt19937 random(8);
        std::ofstream out(file, std::ios::binary);
        std::string block(LineReader::kBlock, '\0');
        for (int i = 0; i < 160; ++i) {
            for (char& c : block) c = static_cast<char>(random());
            out << block;
        }
    }
    long lines = 0;
    std::size_t longest = 0;
    const long growth = peakGrowth([&] { longest = readAll(file, lines); });
    EXPECT_GT(lines, 10000);
    EXPECT_LE(growth, static_cast<long>(longest + LineReader::kBlock) + kSlack);
}

} // namespace
} // namespace vr
