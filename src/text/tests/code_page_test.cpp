#include "text/code_page.h"
#include "text/quote.h"

#include <gtest/gtest.h>

namespace vr {
namespace {

TEST(CodePage, AllBytesRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCodePage(codePageToUtf8(all)), all);
}

TEST(CodePage, KnownCharacters) {
    EXPECT_EQ(codePageToUtf8("\xE9"), "\xC3\xA9");        // é
    EXPECT_EQ(codePageToUtf8("\x80"), "\xE2\x82\xAC");    // €
    EXPECT_EQ(codePageToUtf8("\x81"), "\xC2\x81");        // no character: C1 control
    EXPECT_EQ(utf8ToCodePage("\xE2\x80\x94"), "\x97");    // em dash
    EXPECT_EQ(utf8ToCodePage("\xE4\xB8\xAD"), "?");       // outside the code page
    EXPECT_EQ(utf8ToCodePage("\xF0\x9F\x8F\x80"), "?");   // emoji
    EXPECT_EQ(utf8ToCodePage("a\xFF" "b"), "a?b");        // not UTF-8
    EXPECT_EQ(utf8ToCodePage("\xC2\x85"), "?");           // a C1 control the code page lacks
}

// A league folder's name: UTF-8 bytes (a POSIX host's) as they are,
// code-page bytes (the Windows host's) decoded.
TEST(CodePage, NamesShowAsTheirHostWroteThem) {
    EXPECT_EQ(nameToUtf8("Ligue \xC3\x89" "b\xC3\xA8ne"), "Ligue \xC3\x89" "b\xC3\xA8ne");
    EXPECT_EQ(nameToUtf8("Ligue \xC9" "b\xE8" "ne"), "Ligue \xC3\x89" "b\xC3\xA8ne");
    EXPECT_EQ(nameToUtf8("Marrowdeen"), "Marrowdeen");
    // Overlong and surrogate forms are no UTF-8.
    EXPECT_EQ(nameToUtf8("\xC0\xAF"), "\xC3\x80\xC2\xAF");
    EXPECT_EQ(nameToUtf8("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC");
}

// A page's text in a message: the code page's bytes, controls shown by
// name, a long line by its two ends.
TEST(Quote, ControlsShownAndLongTextsCut) {
    EXPECT_EQ(quoteText("94 100"), "'94 100'");
    EXPECT_EQ(quoteText("a\tb\x1B\x7F\x9D\xE9"), "'a[tab]b[byte 1B][byte 7F][byte 9D]\xE9'");
    EXPECT_EQ(quoteText(std::string(100, 'x')), "'" + std::string(100, 'x') + "'");
    const std::string longer = std::string(60, 'a') + std::string(11, 'b') + std::string(30, 'c');
    EXPECT_EQ(quoteText(longer), "'" + std::string(60, 'a') + " ... " + std::string(30, 'c') + "'");
}

} // namespace
} // namespace vr
