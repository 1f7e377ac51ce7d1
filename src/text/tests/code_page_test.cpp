#include "text/code_page.h"

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

} // namespace
} // namespace vr
