// The tag name of the tag information, the word tip's spelling, the clip
// tips and the custom menus' place beside the caret.
#include <gtest/gtest.h>

#include "PanelRules.h"

using namespace PanelRules;

TEST(PanelRules, TheTagNameEndsAtTheFirstBlankOrCloseAfterTheOpen)
{
    EXPECT_EQ(TagName(L"<td>some text"), L"<td");
    EXPECT_EQ(TagName(L"<TD class=\"x\">cell</TD>"), L"<TD");
    EXPECT_EQ(TagName(L"text before <b>bold"), L"<b");
    EXPECT_EQ(TagName(L"no tag here"), L"");
    EXPECT_EQ(TagName(L"ends with <td"), L"") << "nothing ends the name";
    EXPECT_EQ(TagName(L"<"), L"");
}

TEST(PanelRules, ATypedWordTakesOnlyTheStoredSpellingOfTheSameWord)
{
    EXPECT_EQ(StoredSpelling(L"msgbox", L"MsgBox(prompt, buttons)"), L"MsgBox");
    EXPECT_EQ(StoredSpelling(L"MsgBox", L"MsgBox(prompt)"), L"MsgBox");
    EXPECT_EQ(StoredSpelling(L"sh", L"WScript.Shell"), L"") << "a variable's object is not its spelling";
    EXPECT_EQ(StoredSpelling(L"abc", L"ab"), L"");
    EXPECT_EQ(StoredSpelling(L"", L"x"), L"");
}

TEST(PanelRules, ClipTipsKeepThirtyCharacters)
{
    const std::wstring thirty(30, L'a');
    EXPECT_EQ(ClipTip(thirty), thirty);
    EXPECT_EQ(ClipTip(thirty + L"b"), thirty);
}

TEST(PanelRules, TheCustomMenuFlipsAtTheEditorsRightAndBottomEdges)
{
    Point p = MenuBesideCaret(1000, 2000, 1500, 3000, 10000, 9000);
    EXPECT_EQ(p.x, 1100);
    EXPECT_EQ(p.y, 2100);
    p = MenuBesideCaret(9000, 8000, 1500, 3000, 10000, 9000);
    EXPECT_EQ(p.x, 9000 - 100 - 1500) << "its right edge 100 left of the caret";
    EXPECT_EQ(p.y, 8000 - 100 - 3000) << "its bottom edge 100 above the caret";
    // A menu wider than the room left of the caret stays on the screen.
    p = OnScreen(MenuBesideCaret(900, 600, 7500, 3300, 8000, 3000), 7500, 3300, 19200, 15360);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    p = OnScreen({18000, 15000}, 1500, 3000, 19200, 15360);
    EXPECT_EQ(p.x, 19200 - 1500);
    EXPECT_EQ(p.y, 15360 - 3000);
}
