#include <gtest/gtest.h>

#include "EditTextEngine.h"

using namespace EditText;

TEST(CaseChange, UpperLowerProper)
{
    EXPECT_EQ(L"ABC DEF", ChangeCase(L"aBc dEf", 0));
    EXPECT_EQ(L"abc def", ChangeCase(L"aBc dEf", 1));
    EXPECT_EQ(L"Abc Def\rGhi", ChangeCase(L"aBC dEF\rgHI", 2));
    EXPECT_EQ(L"aBc", ChangeCase(L"aBc", 7));
}

TEST(Quotes, QuoteAWord)
{
    const std::wstring t = L"x abc, y";
    TextEdit e = QuoteWords(t, 4, 4, 1);
    EXPECT_EQ(L"x \"abc\", y", e.Apply(t));
    EXPECT_EQ(5, e.selStart);
    // The first word of the text has nothing before it: only the closing quote.
    EXPECT_EQ(L"abc\" d", QuoteWords(L"abc d", 1, 1, 1).Apply(L"abc d"));
    EXPECT_FALSE(QuoteWords(t, 4, 4, 5).changed);
}

TEST(Quotes, OneCharacterWordsAndTheEdgesOfTheText)
{
    // The caret before or after a one-letter word quotes that word only.
    EXPECT_EQ(L"x \"a\", y", QuoteWords(L"x a, y", 2, 2, 1).Apply(L"x a, y"));
    EXPECT_EQ(L"x \"a\", y", QuoteWords(L"x a, y", 3, 3, 1).Apply(L"x a, y"));
    // The end of the text is no delimiter: the last word gets the opening quote only.
    EXPECT_EQ(L" \"a", QuoteWords(L" a", 2, 2, 1).Apply(L" a"));
    EXPECT_FALSE(QuoteWords(L"a", 0, 0, 1).changed);
    for (long s : {0L, 1L, 2L, 3L}) {
        TextEdit e = QuoteWords(L"\"a\"", s, s, 0);
        EXPECT_EQ(L"a", e.Apply(L"\"a\"")) << s;
        EXPECT_LE(e.selStart, 1) << s;
    }
    // Out-of-range positions are bounded; no quote in reach changes nothing.
    EXPECT_EQ(L"a", QuoteWords(L"\"a\"", -5, 99, 0).Apply(L"\"a\""));
    EXPECT_FALSE(QuoteWords(std::wstring(40, L'x') + L"\"a\"", 2, 2, 0).changed);
    EXPECT_FALSE(QuoteWords(L"", 0, 0, 1).changed);
    EXPECT_EQ(L"say hi", QuoteWords(L"say \"hi\"", 4, 8, 0).Apply(L"say \"hi\""));
}
