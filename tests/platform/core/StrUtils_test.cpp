#include "platform/core/StrUtils.h"

#include <gtest/gtest.h>

TEST(StrUtils, CaseInsensitiveComparisonTouchesAsciiLettersOnly)
{
    EXPECT_TRUE(SameText("Channel 1", "CHANNEL 1"));
    EXPECT_FALSE(SameText("Channel 1", "Channel 10"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_FALSE(SameText("\xE9", "\xC9"));  // e-acute and E-acute stay distinct
    EXPECT_EQ(Trim("\t  x y \r\n"), "x y");
}

TEST(StrUtils, Windows1252RoundTripsThroughUtf8AndUtf16)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(char(b));
    EXPECT_EQ(Utf8ToWin1252(Win1252ToUtf8(all)), all);
    EXPECT_EQ(Utf16ToWin1252(Win1252ToUtf16(all)), all);
    EXPECT_EQ(Win1252ToUtf8("\x80\xB5"), "\xE2\x82\xAC\xC2\xB5");  // euro sign, micro sign
}

TEST(StrUtils, UnmappableOrBrokenUtf8BecomesQuestionMark)
{
    EXPECT_EQ(Utf8ToWin1252("\xE4\xB8\xAD"), "?");  // CJK character
    EXPECT_EQ(Utf8ToWin1252("a\xC3"), "a?");        // cut-off sequence
    EXPECT_EQ(Utf8ToWin1252("\x80z"), "?z");        // stray continuation byte
}
