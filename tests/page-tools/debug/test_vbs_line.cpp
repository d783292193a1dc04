// The VBScript line check: each message on a minimal line and on one that
// passes, auto-correction on and off, and the lines it must leave alone.
#include <gtest/gtest.h>

#include "debug/VBSLineCheck.h"

using vbs::CheckLine;

namespace {

std::wstring Message(const std::wstring& line, bool autoCorrect = false)
{
    return CheckLine(line, autoCorrect).message;
}

} // namespace

TEST(VBSLineCheck, EachMessageAndItsPassingLine)
{
    struct Case {
        const wchar_t* faulty;
        const wchar_t* message;
        const wchar_t* passes;
    } cases[] = {
        {L"x = \"abc", L"Quote mark missing", L"x = \"abc\""},
        {L"MsgBox(x", L"Right parenthesis missing", L"MsgBox(x)"},
        {L"MsgBox x)", L"Left parenthesis missing", L"MsgBox (x)"},
        {L"If x = 1", L"If without Then", L"ElseIf x = 1 Then"},
        {L"x = a& b", L"Spacing wrong at ampersand", L"x = a & &HFF"},
        {L"If a <b Then", L"Wrong syntax at < or >", L"If a <= b Or a <> b Then"},
        {L"If a> b Then", L"Wrong syntax at < or >", L"If a >= b Then"},
        {L"x=1", L"Spacing wrong at \"=\"", L"x = 1"},
        {L"Foo a ,b", L"Spacing wrong at comma", L"Foo a, b"},
        {L"Foo a,b", L"Spacing wrong at comma", L"Foo Array(1, , 2)"},
        {L"x = a+b", L"Spacing wrong at \"+\"", L"x = a + -1"},
        {L"x = a *b", L"Spacing wrong at \"*\"", L"x = a * b / c \\ d ^ 2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Message(c.faulty), c.message) << c.faulty;
        EXPECT_EQ(Message(c.passes), L"") << c.passes;
    }
    EXPECT_EQ(Message(L"End If"), L"");
}

TEST(VBSLineCheck, AutoCorrectionRewritesSpacingInsteadOfReporting)
{
    vbs::LineResult r = CheckLine(L"x=a&b+c", true);
    EXPECT_EQ(r.message, L"");
    EXPECT_EQ(r.corrected, L"x = a & b + c");
    r = CheckLine(L"Foo a ,b", true);
    EXPECT_EQ(r.message, L"");
    EXPECT_EQ(r.corrected, L"Foo a, b");
    // "<" and ">" are never corrected.
    EXPECT_EQ(Message(L"If a <b Then", true), L"Wrong syntax at < or >");
    // A comma at the very start has no blank before it to remove.
    EXPECT_EQ(CheckLine(L",ab", true).corrected, L", ab");
    // Off, the line comes back as it was.
    EXPECT_EQ(CheckLine(L"x=1", false).corrected, L"x=1");
}

TEST(VBSLineCheck, WhichFindingWins)
{
    // An odd quote hides the operator fault; a comma fault comes first of all.
    EXPECT_EQ(Message(L"x = a+b & \"c"), L"Quote mark missing");
    EXPECT_EQ(Message(L"Foo(a ,b"), L"Spacing wrong at comma");
    // After an apostrophe nothing is checked.
    EXPECT_EQ(Message(L"x = 1 ' a=b (\""), L"");
}

TEST(VBSLineCheck, ValidTextIsNeitherReportedNorTouched)
{
    for (const wchar_t* line : {L"y = \"He said \"\"hi\"\"\"", L"z = \"\"\"a\"", L"z = \"\"\"\"",
                                L"n = 1E-5 + 2.5E+3", L"REM a=b (", L"x = 1: Rem a=b", L"x = \"a=b&c,d\"",
                                L"x = 1 ' a=b,c"}) {
        for (bool autoCorrect : {false, true}) {
            vbs::LineResult r = CheckLine(line, autoCorrect);
            EXPECT_EQ(r.message, L"") << line;
            EXPECT_EQ(r.corrected, line) << line;
        }
    }
    // A variable ending in E is no number: its minus needs the blanks.
    EXPECT_EQ(CheckLine(L"n = xE-5", true).corrected, L"n = xE -5");
    EXPECT_EQ(CheckLine(L"x=\"\"\"a=b\"", true).corrected, L"x = \"\"\"a=b\"");
}

TEST(VBSLineCheck, ServerCodeOfAnAspLine)
{
    // "<%" at the very start of the range counts.
    std::wstring line = L"<%x = 1%> <p>";
    long s = 0, e = static_cast<long>(line.size());
    vbs::NarrowToServerCode(line, s, e);
    EXPECT_EQ(line.substr(s, e - s), L"x = 1");
}

TEST(VBSLineCheck, EveryCharacterMovesTheScanOn)
{
    // Control characters pasted into code: each ends a word and the walk
    // goes on past it.
    for (wchar_t c = 1; c < 32; ++c) {
        std::wstring line = std::wstring(L"x") + c + L"y";
        EXPECT_EQ(CheckLine(line, true).corrected, line) << int(c);
    }
    EXPECT_EQ(Message(L"If x\x01y = 1"), L"If without Then");
}
