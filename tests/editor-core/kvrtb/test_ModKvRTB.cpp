#include <gtest/gtest.h>

#include "KvRTB/ModKvRTB.h"

#include <richedit.h>

#include <string>


TEST(ModKvRTB, RtfBytesEscapeEveryCharacterAbove127)
{
    EXPECT_EQ(ModKvRTB::RtfToBytes(L"{\\b a}"), "{\\b a}");
    EXPECT_EQ(ModKvRTB::RtfToBytes(L"\\cf1 \u00e9\u4e2d"), "\\cf1 \\u233?\\u20013?");
    // RTF numbers are signed 16-bit; surrogate pairs go unit by unit.
    EXPECT_EQ(ModKvRTB::RtfToBytes(L"\uff21"), "\\u-223?");
    EXPECT_EQ(ModKvRTB::RtfToBytes(L"\U0001F600"), "\\u-10179?\\u-8704?");
    EXPECT_EQ(ModKvRTB::RtfFromBytes("{\\rtf1 x}"), L"{\\rtf1 x}");
}

TEST(ModKvRTB, WordBreaksSeparateWordsPunctuationAndBlanks)
{
    const std::wstring t = L"x = obj.Method_1(a)\r\n  next";
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 0, WB_MOVEWORDRIGHT), 2);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 2, WB_MOVEWORDRIGHT), 4);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 4, WB_MOVEWORDRIGHT), 7);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 8, WB_RIGHTBREAK), 16);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 19, WB_MOVEWORDRIGHT), 23);   // across the line break
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 16, WB_MOVEWORDLEFT), 8);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 23, WB_MOVEWORDLEFT), 18);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 3, WB_MOVEWORDLEFT), 2);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 1, WB_MOVEWORDLEFT), 0);
    EXPECT_EQ(ModKvRTB::FindWordBreak(t, 27, WB_MOVEWORDRIGHT), 27);
    EXPECT_EQ(ModKvRTB::FindWordBreak(L"", 0, WB_MOVEWORDLEFT), 0);
}
