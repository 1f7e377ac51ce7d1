#include "text/line_reader.h"
#include "text/memory_file_system.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

namespace vr {
namespace {

std::vector<std::string> readAll(const std::string& bytes) {
    MemoryFileSystem fs;
    fs.setFile("/f.txt", bytes);
    LineReader r(fs, fs.open("/f.txt", OpenMode::Input), "f.txt");
    std::vector<std::string> lines;
    while (!r.atEnd()) lines.emplace_back(r.readLine());
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, LineEndsOfEverySystemReadAlike) {
    EXPECT_EQ(readAll("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(readAll("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(readAll("a\rb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(readAll("abc\r\r\n"), (Lines{"abc", ""}));
    EXPECT_EQ(readAll("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(readAll("last line without end"), (Lines{"last line without end"}));
    EXPECT_EQ(readAll(""), Lines{});
    EXPECT_EQ(readAll("\r\n"), Lines{""});
    EXPECT_EQ(readAll(std::string("a\x1a\0b\r\n", 6)), Lines{std::string("a\x1a\0b", 4)});
}

TEST(LineReader, CrLfSplitAcrossBlocksIsOneLineEnd) {
    std::string first(LineReader::kBlock - 1, 'x');
    EXPECT_EQ(readAll(first + "\r\nnext\r\n"), (Lines{first, "next"}));
    EXPECT_EQ(readAll(first + "\r"), (Lines{first}));
    EXPECT_EQ(readAll(first + "\r" + "\r\n"), (Lines{first, ""}));
}

TEST(LineReader, LongLinesComeWholeAndMemoryStaysBounded) {
    std::string longLine(5 * LineReader::kBlock + 123, 'y');
    MemoryFileSystem fs;
    fs.setFile("/f.txt", "a\r\n" + longLine + "\r\nb");
    LineReader r(fs, fs.open("/f.txt", OpenMode::Input), "f.txt");
    EXPECT_EQ(r.readLine(), "a");
    EXPECT_EQ(r.readLine(), longLine);
    EXPECT_EQ(r.readLine(), "b");
    EXPECT_TRUE(r.atEnd());
    EXPECT_LE(r.bufferSize(), 2 * (longLine.size() + LineReader::kBlock));
}

// A line past the longest is refused, naming it, wherever its end falls
// (in the read that completed it, or at the end of the file), whether read
// or searched over; one of the longest length comes whole.
TEST(LineReader, ALineLongerThanTheLongestIsRefused) {
    MemoryFileSystem fs;
    for (std::size_t extra : {std::size_t{1}, std::size_t{1000}, LineReader::kBlock + 7}) {
        SCOPED_TRACE(extra);
        const std::string line(LineReader::kLongestLine + extra, 'y');
        for (const std::string& end : {std::string("\r\nb\r\n"), std::string()}) {
            fs.setFile("/f.txt", "a\r\n" + line + end);
            LineReader r(fs, fs.open("/f.txt", OpenMode::Input), "f.txt");
            EXPECT_EQ(r.readLine(), "a");
            EXPECT_EQ(testing::stopMessage([&] { r.readLine(); }), "Invalid argument: f.txt, line 2");
            LineReader s(fs, fs.open("/f.txt", OpenMode::Input), "f.txt");
            EXPECT_EQ(testing::stopMessage([&] { s.readLineStartingWith("b"); }), "Invalid argument: f.txt, line 2");
        }
    }
    fs.setFile("/f.txt", std::string(LineReader::kLongestLine, 'z') + "\nb");
    LineReader r(fs, fs.open("/f.txt", OpenMode::Input), "f.txt");
    EXPECT_EQ(r.readLineStartingWith("b"), "b");
    EXPECT_EQ(r.lineNumber(), 2);
}

TEST(LineReader, ShortLinesAcrossBlocksKeepOneBlockAndReadInLargePieces) {
    // Lines of 23 bytes never meet a block's end: each read finds a line
    // begun. The buffer stays one block, and every read but the last asks
    // for more than half of one.
    MemoryFileSystem fs;
    std::string page;
    for (int i = 0; i < 50000; ++i) page += "<tr><td>row</td></tr>\r\n";
    fs.setFile("/p.htm", page);
    LineReader r(fs, fs.open("/p.htm", OpenMode::Input), "p.htm");
    long lines = 0;
    while (!r.atEnd()) {
        EXPECT_EQ(r.readLine(), "<tr><td>row</td></tr>");
        ++lines;
    }
    EXPECT_EQ(lines, 50000);
    EXPECT_EQ(r.bufferSize(), LineReader::kBlock);
    EXPECT_LE(fs.readCalls(), 2 * page.size() / LineReader::kBlock + 2);
}

TEST(LineReader, SmallPageIsOneReadCall) {
    MemoryFileSystem fs;
    std::string page;
    for (int i = 0; i < 1000; ++i) page += "<tr><td>row</td></tr>\r\n";
    fs.setFile("/p.htm", page);
    LineReader r(fs, fs.open("/p.htm", OpenMode::Input), "p.htm");
    while (!r.atEnd()) r.readLine();
    EXPECT_EQ(fs.readCalls(), 2u); // the block, then the end
    EXPECT_GE(fs.largestRead(), LineReader::kBlock);
}

TEST(LineReader, ReadingPastTheEndNamesTheMissingLine) {
    MemoryFileSystem fs;
    fs.setFile("/f.txt", "one\r\ntwo\r\n");
    LineReader r(fs, fs.open("/f.txt", OpenMode::Input), "html\\f.htm");
    r.readLine();
    r.readLine();
    EXPECT_EQ(r.lineNumber(), 2);
    EXPECT_EQ(testing::stopMessage([&] { r.readLine(); }), "End of file: html\\f.htm, line 3");
}

TEST(LineReader, FailedReadIsADeviceError) {
    MemoryFileSystem fs;
    fs.setFile("/f.txt", "one\r\n");
    fs.failAt(2, StopKind::DeviceIOError);
    LineReader r(fs, fs.open("/f.txt", OpenMode::Input), "f.txt");
    EXPECT_EQ(testing::stopMessage([&] { r.atEnd(); }), "Device I/O error: f.txt");
}

} // namespace
} // namespace vr
