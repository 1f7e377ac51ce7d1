#include "text/line_writer.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

namespace vr {
namespace {

// Writes through a LineWriter into memory and returns the bytes.
template <class F>
std::string written(F&& f) {
    MemoryFileSystem fs;
    {
        LineWriter w(fs, fs.open("/out.txt", OpenMode::Output), "out.txt");
        f(w);
        w.close();
    }
    return fs.file("/out.txt");
}

TEST(NumberFormat, FollowsPercentFifteenG) {
    EXPECT_EQ(formatNumber(5), " 5 ");
    EXPECT_EQ(formatNumber(-5), "-5 ");
    EXPECT_EQ(formatNumber(12.5), " 12.5 ");
    EXPECT_EQ(formatNumber(0.5), " 0.5 ");
    EXPECT_EQ(formatNumber(0.1 + 0.2), " 0.3 ");
    EXPECT_EQ(formatNumber(-0.0), " 0 ");
    EXPECT_EQ(formatNumber(1e20), " 1e+20 ");
    EXPECT_EQ(formatNumber(123456789012345678.0), " 1.23456789012346e+17 ");
}

// Whole numbers take a shortcut past the general format; both must agree.
TEST(NumberFormat, WholeNumbersAsTheGeneralFormatWritesThem) {
    auto general = [](double v) {
        char digits[64];
        auto res = std::to_chars(digits, digits + sizeof digits, std::fabs(v), std::chars_format::general, 15);
        return std::string(std::signbit(v) ? "-" : " ") + std::string(digits, res.ptr) + " ";
    };
    std::vector<double> values = {0, 1, 9, 10, 99, 100, 1234567, 999999999999999.0, 1e15, 1e15 + 2,
                                  4503599627370496.0, 1e16, 1e300, 0.5, 2.5, 1e14 + 0.5, -1, -245,
                                  -999999999999999.0, -1e15};
    for (double v = 1; v < 1e18; v = v * 3 + 1) values.push_back(v);
    for (double v : values) {
        EXPECT_EQ(formatNumber(v), general(v)) << v;
        EXPECT_EQ(formatNumber(-v), general(v == 0 ? 0 : -v)) << -v;
    }
}

TEST(LineWriter, ZoneAdvanceGoesToNextZoneStrictlyAfter) {
    EXPECT_EQ(written([](LineWriter& w) { w.zone().endLine(); }), std::string(14, ' ') + "\r\n");
    // " 57 " ends at column 4; the next zone starts at 15.
    EXPECT_EQ(written([](LineWriter& w) { w.number(57, After::Zone).number(37, After::EndLine); }),
              " 57 " + std::string(10, ' ') + " 37 \r\n");
    // From column 15 exactly, the advance goes on to 29.
    EXPECT_EQ(written([](LineWriter& w) { w.text(std::string(14, 'x'), After::Zone).text("|"); }),
              std::string(14, 'x') + std::string(14, ' ') + "|");
}

TEST(LineWriter, EmptyNumberWritesNothingButTheAdvanceStillHappens) {
    EXPECT_EQ(written([](LineWriter& w) {
                  w.number(std::nullopt, After::Zone).number(std::nullopt, After::EndLine);
              }),
              std::string(14, ' ') + "\r\n");
    EXPECT_EQ(written([](LineWriter& w) { w.text("", After::EndLine); }), "\r\n");
}

TEST(LineWriter, PlayerLineColumns) {
    std::string line = written([](LineWriter& w) {
        w.text("Tom Baker").moveTo(30).number(25, After::Zone).number(10, After::Zone).number(5, After::EndLine);
    });
    EXPECT_EQ(line.substr(29, 4), " 25 ");
    EXPECT_EQ(line.substr(42, 4), " 10 ");
    EXPECT_EQ(line.substr(56, 3), " 5 ");
    EXPECT_EQ(line.substr(0, 29), "Tom Baker" + std::string(20, ' '));
}

TEST(LineWriter, MoveToAPassedColumnStartsANewLine) {
    std::string name29(29, 'n');
    EXPECT_EQ(written([&](LineWriter& w) { w.text(name29).moveTo(30).number(7); }), name29 + " 7 ");
    std::string name30(30, 'n');
    EXPECT_EQ(written([&](LineWriter& w) { w.text(name30).moveTo(30).number(7); }),
              name30 + "\r\n" + std::string(29, ' ') + " 7 ");
}

TEST(LineWriter, LargeOutputIsWrittenInFewCalls) {
    MemoryFileSystem fs;
    std::string expected;
    {
        LineWriter w(fs, fs.open("/big.txt", OpenMode::Output), "big.txt");
        for (int i = 0; i < 100000; ++i) {
            w.line("line of text");
            expected += "line of text\r\n";
        }
        w.close();
    }
    EXPECT_EQ(fs.file("/big.txt"), expected);
    // open + a write per buffer + flush + close
    EXPECT_LT(fs.operations(), 15);
}

TEST(LineWriter, TheBufferGrowsWithoutWritingUntilItHoldsAFullBlock) {
    // Lines of odd lengths cross every doubling of the buffer on the way to
    // its full size; nothing reaches the system before that.
    MemoryFileSystem fs;
    std::string expected;
    {
        LineWriter w(fs, fs.open("/grow.txt", OpenMode::Output), "grow.txt");
        long before = fs.operations();
        for (int i = 0; expected.size() + 40 < LineWriter::kBuffer; ++i) {
            std::string line(static_cast<std::size_t>(i % 37), static_cast<char>('a' + i % 26));
            w.text(line).number(i, After::EndLine);
            expected += line + formatNumber(i) + "\r\n";
        }
        EXPECT_EQ(fs.operations(), before);
        EXPECT_EQ(fs.file("/grow.txt"), "");
        w.close();
        // one write, the flush and the close
        EXPECT_EQ(fs.operations(), before + 3);
    }
    EXPECT_EQ(fs.file("/grow.txt"), expected);
}

TEST(LineWriter, FailedWriteStopsAndTheFileKeepsWhatReachedIt) {
    MemoryFileSystem fs;
    fs.failAt(3, StopKind::DeviceIOError); // open, write, then the second write
    std::string message = testing::stopMessage([&] {
        LineWriter w(fs, fs.open("/big.txt", OpenMode::Output), "Test.txt");
        std::string chunk(LineWriter::kBuffer - 2, 'a');
        w.line(chunk);       // fills the buffer exactly
        w.line("second");    // drains the first: write 1
        w.line(chunk);       // drains "second"...: write 2 fails
        w.close();
    });
    EXPECT_EQ(message, "Device I/O error: Test.txt");
    EXPECT_EQ(fs.file("/big.txt"), std::string(LineWriter::kBuffer - 2, 'a') + "\r\n");
    EXPECT_EQ(fs.openHandles(), 0);
}

TEST(LineWriter, AFailedWriteLeavesWholeLines) {
    // Lines of items that never fill the buffer exactly: each full buffer
    // ends inside a line, which waits for the next write.
    for (long failing = 3; failing <= 5; ++failing) {
        MemoryFileSystem fs;
        fs.failAt(failing, StopKind::DeviceIOError);
        std::string all;
        std::string message = testing::stopMessage([&] {
            LineWriter w(fs, fs.open("/big.txt", OpenMode::Output), "Test.txt");
            for (int i = 0; i < 100000; ++i) {
                w.text("Game Number:").number(i).text("a", After::Zone).number(-0.5, After::EndLine);
                all += "Game Number: " + std::to_string(i) + " a" + std::string(13 - std::to_string(i).size(), ' ') +
                       "-0.5 \r\n";
            }
            w.close();
        });
        EXPECT_EQ(message, "Device I/O error: Test.txt");
        const std::string& kept = fs.file("/big.txt");
        EXPECT_GT(kept.size(), 0u);
        EXPECT_EQ(all.compare(0, kept.size(), kept), 0);
        EXPECT_EQ(kept.substr(kept.size() - 2), "\r\n") << "the file ends inside a line";
    }
}

TEST(LineWriter, StopElsewhereFlushesWhatWasWritten) {
    MemoryFileSystem fs;
    try {
        LineWriter w(fs, fs.open("/a.txt", OpenMode::Output), "a.txt");
        w.line("kept");
        throw Stop(StopKind::EndOfFile, "x.htm", 3);
    } catch (const Stop&) {
    }
    EXPECT_EQ(fs.file("/a.txt"), "kept\r\n");
    EXPECT_EQ(fs.openHandles(), 0);
}

TEST(LineWriter, FailingCloseIsReported) {
    MemoryFileSystem fs;
    fs.failAt(4, StopKind::DeviceIOError); // open, write, flush, close
    EXPECT_EQ(testing::stopMessage([&] {
                  LineWriter w(fs, fs.open("/a.txt", OpenMode::Output), "a.txt");
                  w.line("x");
                  w.close();
              }),
              "Device I/O error: a.txt");
}

} // namespace
} // namespace vr
