#include "text/cuts.h"
#include "text/numbers.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace vr {
namespace {

using testing::stopMessage;

TEST(Cuts, DropAndTake) {
    EXPECT_EQ(dropFirst("abcdef", 2), "cdef");
    EXPECT_EQ(dropLast("abcdef", 2), "abcd");
    EXPECT_EQ(dropFirst("abc", 3), "");
    EXPECT_EQ(dropLast("abc", 3), "");
    EXPECT_EQ(mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(mid("abcdef", 5, 10), "ef");
    EXPECT_EQ(mid("abc", 4, 2), "");
    EXPECT_EQ(mid("", 1, 7), "");
}

TEST(Cuts, EveryFailureIsAnInvalidArgument) {
    EXPECT_EQ(stopMessage([] { dropFirst("ab", 3); }), "Invalid argument");
    EXPECT_EQ(stopMessage([] { dropLast("", 1); }), "Invalid argument");
    EXPECT_EQ(stopMessage([] { findFirst("abc", '-'); }), "Invalid argument");
    EXPECT_EQ(stopMessage([] { findLast("", '>'); }), "Invalid argument");
    EXPECT_EQ(stopMessage([] { at("html\\leagueschedule.htm", 212, [] { return dropLast("x", 16); }); }),
              "Invalid argument: html\\leagueschedule.htm, line 212");
}

TEST(Cuts, SeparatorsAndTrimming) {
    EXPECT_EQ(findFirst("a-b-c", '-'), 1u);
    EXPECT_EQ(findLast("a-b-c", '-'), 3u);
    EXPECT_EQ(trimSpaces("  a b  "), "a b");
    EXPECT_EQ(trimSpaces("\ta "), "\ta");
    EXPECT_EQ(trimSpaces("   "), "");
    EXPECT_TRUE(startsWith("abc", "ab"));
    EXPECT_FALSE(startsWith("a", "ab"));
    EXPECT_TRUE(endsWith("Totals</td>", "</td>"));
    EXPECT_FALSE(endsWith("td>", "</td>"));
}

TEST(Numbers, StrictReadingTakesTheWholeText) {
    EXPECT_EQ(readNumber("52"), 52);
    EXPECT_EQ(readNumber("  -7 "), -7);
    EXPECT_EQ(readNumber("+3"), 3);
    EXPECT_EQ(readNumber(".5"), 0.5);
    EXPECT_EQ(readNumber("5."), 5);
    EXPECT_EQ(readNumber("1e3"), 1000);
    EXPECT_EQ(readNumber("2.5E-1"), 0.25);
    EXPECT_EQ(readNumber("25.5"), 25.5);
    for (const char* bad : {"", "  ", "NR", "#5", "5th", "5</b>", ".", "-", "1e", "1 2", "0x10", "\t5"})
        EXPECT_FALSE(readNumber(bad).has_value()) << bad;
}

// Plain digits take a shortcut; whatever their count, leading zeros or
// sign, they must read as the C library reads them.
TEST(Numbers, DigitsReadAsTheLibraryReadsThem) {
    std::string digits;
    for (int n = 1; n <= 20; ++n) {
        digits += static_cast<char>('0' + (n * 7) % 10);
        for (const std::string& text : {digits, "0" + digits, "-" + digits, "+" + digits, " 9" + digits + " "}) {
            double expected = std::strtod(text.c_str(), nullptr);
            EXPECT_EQ(readNumber(text), expected) << text;
            EXPECT_EQ(leadingNumber(text + "x"), expected) << text;
        }
    }
    EXPECT_EQ(readNumber("999999999999999"), 999999999999999.0);
    EXPECT_EQ(readNumber("9007199254740993"), 9007199254740992.0); // 2^53 + 1 rounds
    EXPECT_TRUE(std::signbit(*readNumber("-0")));
}

TEST(Numbers, LeadingNumberNeverFails) {
    EXPECT_EQ(leadingNumber("78 OT"), 78);
    EXPECT_EQ(leadingNumber("  12.5x"), 12.5);
    EXPECT_EQ(leadingNumber("-3-"), -3);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("5."), 5);
    EXPECT_EQ(leadingNumber("1e3"), 1);
    EXPECT_EQ(leadingNumber("NR"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("-"), 0);
}

TEST(Numbers, IndexesAreWholeNumbersInRange) {
    EXPECT_EQ(readIndex("245", 0, 400), 245);
    EXPECT_EQ(readIndex(" 0245 ", 0, 400), 245);
    EXPECT_EQ(readIndex("0", 0, 300), 0);
    EXPECT_EQ(stopMessage([] { readIndex("24.5", 0, 400); }), "Type mismatch");
    EXPECT_EQ(stopMessage([] { readIndex("r12", 0, 5000); }), "Type mismatch");
    EXPECT_EQ(stopMessage([] { readIndex("", 0, 5000); }), "Type mismatch");
    EXPECT_EQ(stopMessage([] { readIndex("401", 0, 400); }), "Subscript out of range");
    EXPECT_EQ(stopMessage([] { readIndex("-1", 0, 400); }), "Subscript out of range");
}

TEST(Numbers, TypedWholeNumbers) {
    EXPECT_EQ(readWholeText(" 245 "), 245);
    EXPECT_EQ(readWholeText("-1"), -1);
    EXPECT_EQ(readWholeText("+0003"), 3);
    EXPECT_EQ(readWholeText("99999999999999999999").value_or(0) > 400, true);
    for (const char* bad : {"", "abc", "2.5", "1e2", "--1", "+", "2 4", "\xB2"})
        EXPECT_FALSE(readWholeText(bad).has_value()) << bad;
    EXPECT_EQ(plainDigits(245), "245");
}

} // namespace
} // namespace vr
