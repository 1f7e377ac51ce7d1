// The search for a line by its start must find what reading line by line
// finds, with the same line numbers and the same stop, wherever the blocks
// happen to end.
#include "text/cuts.h"
#include "text/line_reader.h"
#include "text/memory_file_system.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

#include <random>

namespace vr {
namespace {

using testing::stopMessage;

constexpr std::string_view kLabel = "Player of the Game:";

// What the reader gives after the search: the line found and its number,
// the lines after it, or the stop; `search` false gives the same by
// readLine() in a loop.
std::vector<std::string> trace(const std::string& bytes, std::string_view prefix, bool search) {
    MemoryFileSystem fs;
    fs.setFile("/f.txt", bytes);
    LineReader r(fs, fs.open("/f.txt", OpenMode::Input), "pbp\\1-1.txt");
    std::vector<std::string> out;
    std::string stop = stopMessage([&] {
        std::string_view line;
        if (search) {
            line = r.readLineStartingWith(prefix);
        } else {
            do {
                line = r.readLine();
            } while (!startsWith(line, prefix));
        }
        out.emplace_back(line);
        out.push_back("line " + std::to_string(r.lineNumber()));
        while (!r.atEnd()) out.emplace_back(r.readLine());
        out.push_back("last line " + std::to_string(r.lineNumber()));
    });
    out.push_back(stop);
    return out;
}

void expectSameAsLineByLine(const std::string& bytes, std::string_view prefix = kLabel) {
    EXPECT_EQ(trace(bytes, prefix, true), trace(bytes, prefix, false)) << "bytes: " << bytes.size();
}

TEST(LineReaderSearch, FindsTheFirstLineThatStartsWithTheLabel) {
    std::string page = "PLAY-BY-PLAY\r\nsaid: Player of the Game: not here\r\n"
                       "Player of the Game: Tom Baker - North Ridge\r\n"
                       "Player of the Game: Second - Later\r\nBox score\r\n";
    EXPECT_EQ(trace(page, kLabel, true),
              (std::vector<std::string>{"Player of the Game: Tom Baker - North Ridge", "line 3",
                                        "Player of the Game: Second - Later", "Box score", "last line 5",
                                        ""}));
    expectSameAsLineByLine(page);
}

TEST(LineReaderSearch, EveryKindOfLineEndStartsALine) {
    expectSameAsLineByLine("Player of the Game: first line");
    expectSameAsLineByLine("a\rPlayer of the Game: after a lone CR\rb");
    expectSameAsLineByLine("a\nPlayer of the Game: after a lone LF\n");
    expectSameAsLineByLine("a\r\n\r\rPlayer of the Game: after empty lines\r\n");
    expectSameAsLineByLine("a\n\rPlayer of the Game: LF then CR");
    expectSameAsLineByLine("xPlayer of the Game: inside a line\r\nPlayer of the Game:");
    expectSameAsLineByLine("Player of the Game"); // one short of the label
}

TEST(LineReaderSearch, NoSuchLineIsTheEndOfFileStopAtTheLineAfterTheLast) {
    EXPECT_EQ(trace("one\r\ntwo\r\nthree", kLabel, true).back(), "End of file: pbp\\1-1.txt, line 4");
    EXPECT_EQ(trace("one\r\ntwo\r\n", kLabel, true).back(), "End of file: pbp\\1-1.txt, line 3");
    EXPECT_EQ(trace("", kLabel, true).back(), "End of file: pbp\\1-1.txt, line 1");
    expectSameAsLineByLine("one\rtwo\r\n\nthree\r");
}

TEST(LineReaderSearch, LabelAndLineEndsAcrossBlockEnds) {
    const std::size_t block = LineReader::kBlock;
    std::string label(kLabel);
    // The label cut by the block's end at every place, and the line end
    // before it split as CR | LF.
    for (std::size_t cut = 0; cut <= label.size(); cut += 3) {
        std::string filler(block - cut - 2, 'x');
        expectSameAsLineByLine(filler + "\r\n" + label + " Ann - Lake\r\nafter\r\n");
        expectSameAsLineByLine(std::string(block - 1 - cut, 'y') + "\r\n" + label + " B - C\r\n");
    }
    expectSameAsLineByLine(std::string(block - 1, 'z') + "\r\nPlayer of the Game: CR LF split\r\n");
    expectSameAsLineByLine(std::string(block - 1, 'z') + "\rPlayer of the Game: lone CR at the end\r\n");
    expectSameAsLineByLine(std::string(block - 1, 'z') + "\rxPlayer of the Game: not at a start\r\n");
    // One line longer than several blocks before the label, and after it.
    expectSameAsLineByLine(std::string(3 * block + 7, 'w') + "\r\n" + label + std::string(2 * block, 'v'));
}

TEST(LineReaderSearch, RandomPagesReadAsLineByLine) {
    std::mt19937 random(20090311);
    const std::vector<std::string> pieces = {
        "a", "Pl", "P", " of the ", "Player of the Game", "Player of the Game:", ":", "\r", "\n", "\r\n",
        std::string(700, 'q'), "[19:52] Lake City: H. Merriweather hits a three-pointer.   3-0\r\n",
    };
    for (int round = 0; round < 200; ++round) {
        std::string page;
        std::size_t size = random() % (3 * LineReader::kBlock);
        while (page.size() < size) page += pieces[random() % pieces.size()];
        expectSameAsLineByLine(page);
        expectSameAsLineByLine(page, "P");
    }
}

TEST(LineReaderSearch, LineNumbersStayRightAfterASearch) {
    MemoryFileSystem fs;
    std::string page;
    for (int i = 1; i <= 5000; ++i) page += "line " + std::to_string(i) + (i % 3 ? "\r\n" : "\n");
    page += "Player of the Game: X - Y\r\nnext\r\n";
    fs.setFile("/f.txt", page);
    LineReader r(fs, fs.open("/f.txt", OpenMode::Input), "f.txt");
    EXPECT_EQ(r.readLineStartingWith("line 2"), "line 2");
    EXPECT_EQ(r.lineNumber(), 2);
    r.readLineStartingWith("line 4000");
    r.readLineStartingWith(kLabel);
    EXPECT_EQ(r.readLine(), "next");
    EXPECT_EQ(r.lineNumber(), 5002);
    // The stop of a cut on the line found names it.
    EXPECT_EQ(stopMessage([&] { atLine(r, [] { throw Stop(StopKind::InvalidArgument); }); }),
              "Invalid argument: f.txt, line 5002");
}

TEST(LineReaderSearch, TheLabelFoundInTheFirstBlockEndsTheReading) {
    MemoryFileSystem fs;
    fs.setFile("/f.txt", "top\r\nPlayer of the Game: A - B\r\n" + std::string(5 * LineReader::kBlock, 'r'));
    LineReader r(fs, fs.open("/f.txt", OpenMode::Input), "f.txt");
    r.readLineStartingWith(kLabel);
    EXPECT_EQ(fs.readCalls(), 1u);
}

TEST(LineReaderSearch, LabelsFoundAtEveryPlaceOfEveryLength) {
    // The label at every place of texts of every length around the
    // vector steps, at a line start or inside a line.
    for (std::size_t n = kLabel.size(); n < 200; ++n) {
        for (std::size_t at = 0; at + kLabel.size() <= n; ++at) {
            std::string text(n, 'P');
            text.replace(at, kLabel.size(), kLabel);
            if (at > 0) text[at - 1] = at % 2 ? '\r' : ':';
            bool lineStart = at == 0 || at % 2;
            ASSERT_EQ(findAtLineStart(text.data(), n, kLabel), lineStart ? at : n) << n << " " << at;
        }
    }
}

TEST(LineReaderHelpers, LineEndsAndLabelsFoundOnEitherSideOfSixteenBytes) {
    for (std::size_t at = 0; at < 40; ++at) {
        std::string text(48, 'a');
        text[at] = at % 2 ? '\r' : '\n';
        EXPECT_EQ(findLineEnd(text.data(), text.size()), at);
        EXPECT_EQ(findLineEnd(text.data(), at), at); // none within the first `at` bytes
    }
    EXPECT_EQ(findAtLineStart("xab\nab", 6, "ab"), 4u);
    EXPECT_EQ(findAtLineStart("ab", 2, "ab"), 0u);
    EXPECT_EQ(findAtLineStart("xab\na", 5, "ab"), 5u); // cut off by the end
    EXPECT_EQ(countLineEnds("a\r\nb\nc\rd\r", 9), 4);
    EXPECT_EQ(countLineEnds("\r\r\n\n", 4), 3);
}

} // namespace
} // namespace vr
