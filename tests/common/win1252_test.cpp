// The WIN1252 <-> UTF-8 table: every byte survives a round trip, the 0x80-0x9F
// block maps to its typographic characters, and bad input never breaks it.
#include "common/win1252.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace velmora;

TEST(Win1252, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(char(b));
    const std::string utf8 = win1252ToUtf8(all);
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_EQ(utf8ToWin1252(utf8), all);
}

TEST(Win1252, HighBlockAndLatin1MapToTheirCodePoints) {
    EXPECT_EQ(win1252ToUtf8("\x80"), "€");
    EXPECT_EQ(win1252ToUtf8("\x82\x83\x85"), "‚ƒ…");
    EXPECT_EQ(win1252ToUtf8("\x8A\x8C\x8E\x9A\x9C\x9E\x9F"), "ŠŒŽšœžŸ");
    EXPECT_EQ(win1252ToUtf8("\x91\x92\x93\x94\x96\x97\x99"), "‘’“”–—™");
    EXPECT_EQ(win1252ToUtf8("\xE9\xE3\xE7\xC7\xA0\xFF"), "éãçÇ\u00A0ÿ");
    // Bytes the code page leaves undefined keep their C1 code points.
    EXPECT_EQ(win1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(utf8ToWin1252("€ ƒ Ÿ é"), "\x80 \x83 \x9F \xE9");
}

TEST(Win1252, AppendingKeepsWhatIsThere) {
    std::string out = "pre-";
    appendWin1252AsUtf8("a\xE9z", out);
    EXPECT_EQ(out, "pre-aéz");
    appendUtf8AsWin1252("é", out);
    EXPECT_EQ(out, "pre-aéz\xE9");
}

TEST(Win1252, UnmappableAndMalformedUtf8BecomeQuestionMarks) {
    EXPECT_EQ(utf8ToWin1252("日本"), "??");
    EXPECT_EQ(utf8ToWin1252("\u0080\u0099"), "??");  // C1 controls WIN1252 puts other characters on
    EXPECT_EQ(utf8ToWin1252("😀x"), "?x");
    EXPECT_EQ(utf8ToWin1252("a\xC3"), "a?");               // truncated at the end
    EXPECT_EQ(utf8ToWin1252("\xC3(b"), "?(b");             // continuation missing
    EXPECT_EQ(utf8ToWin1252("\x80\xBF"), "??");            // lone continuations
    EXPECT_EQ(utf8ToWin1252("\xC0\xAF"), "??");            // overlong "/": no sneaking bytes in
    EXPECT_EQ(utf8ToWin1252("\xED\xA0\x80"), "???");       // surrogate
    EXPECT_EQ(utf8ToWin1252("\xF4\x90\x80\x80"), "????");  // beyond U+10FFFF
    EXPECT_EQ(utf8ToWin1252(std::string("a\0b", 3)), std::string("a\0b", 3));

    EXPECT_TRUE(isValidUtf8("plain ação €"));
    EXPECT_FALSE(isValidUtf8("\xE9t\xE9"));  // WIN1252 bytes
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));
}

}  // namespace
