#include "KvRTBFixture.h"

#include <richedit.h>

namespace {
// The colouring engine's kind of fragment: no closing brace, raw characters
// above 127 in the text.
std::wstring Fragment(const std::wstring& body)
{
    return L"{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0 Courier New;}}"
           L"{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;}"
           L"\\pard\\plain\\f0\\fs20 " +
           body;
}
} // namespace

TEST_F(KvRTBTest, TextRoundTripsCharactersInAndOutsideTheCodePage)
{
    const std::wstring text = L"caf\u00e9 \u0416\u0438\u0437\u043d\u044c \u4e2d\u6587 \U0001F600 end";
    rtb().SetText(text);
    EXPECT_EQ(rtb().Text(), text);
    EXPECT_EQ(rtb().LenText(), static_cast<long>(text.size()));

    // Through RTF into another editor and back.
    std::wstring rtf = rtb().TextRTF();
    rtb().SetText(L"");
    EXPECT_EQ(rtb().LenText(), 0);
    rtb().SetTextRTF(rtf);
    EXPECT_EQ(rtb().Text(), text);

    // The same with the UTF-8 option on: strings stay UTF-16, nothing is
    // encoded twice.
    Settings().UTF8Text = true;
    rtb().SetText(text);
    EXPECT_EQ(rtb().Text(), text);
    rtb().SetTextRTF(rtb().TextRTF());
    EXPECT_EQ(rtb().Text(), text);
}

TEST_F(KvRTBTest, SelectionTextAndRtfReplaceOnlyTheSelection)
{
    rtb().SetText(L"one two three");
    rtb().SetSelRange(4, 3);
    EXPECT_EQ(rtb().SelText(), L"two");
    rtb().SetSelText(L"\u0434\u0432\u0430");
    EXPECT_EQ(rtb().Text(), L"one \u0434\u0432\u0430 three");
    EXPECT_EQ(rtb().SelStart(), 7);
    EXPECT_EQ(rtb().SelLength(), 0);

    rtb().SetSelRange(0, 3);
    rtb().SetSelTextRTF(Fragment(L"\\cf1 \u00fcn\u00ef\\cf0 "));
    EXPECT_EQ(rtb().Text(), L"\u00fcn\u00ef \u0434\u0432\u0430 three");
    std::wstring selRtf;
    rtb().SetSelRange(0, 3);
    selRtf = rtb().SelTextRTF();
    EXPECT_NE(selRtf.find(L"\\rtf"), std::wstring::npos);

    // An empty fragment deletes the selection.
    rtb().SetSelRange(0, 4);
    rtb().SetSelTextRTF(L"");
    EXPECT_EQ(rtb().Text(), L"\u0434\u0432\u0430 three");
}

TEST_F(KvRTBTest, SelectionMembersInBothOrders)
{
    rtb().SetText(L"0123456789abcdefghijklmnopqrstuvwxyz");
    long a = 0, b = 0;
    rtb().SetSelRange(10, 5);
    rtb().GetSelection(a, b);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(b, 15);
    rtb().GetSelRange(a, b);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(b, 5);
    EXPECT_EQ(rtb().SelText(), L"abcde");

    rtb().SetSelection(10, 5);   // backwards: the RichEdit orders it
    rtb().GetSelection(a, b);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 10);
    EXPECT_EQ(rtb().SelStart(), 5);
    EXPECT_EQ(rtb().SelLength(), 5);

    rtb().SelNone();
    rtb().GetSelection(a, b);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 5);

    rtb().SelAll();
    EXPECT_EQ(rtb().SelStart(), 0);
    EXPECT_GE(rtb().SelLength(), 36);   // Wine includes the final paragraph mark
    rtb().SetSelStart(20);
    EXPECT_EQ(rtb().SelStart(), 20);
    EXPECT_EQ(rtb().SelLength(), 0);
}

TEST_F(KvRTBTest, FindWithEachFlagAndBackwards)
{
    rtb().SetText(L"Dim item, Item\r\nitems = ITEM");
    // Line break counts one: "items" starts at 15.
    EXPECT_EQ(rtb().Find(L"item", 0, -1, 1), 4);
    EXPECT_EQ(rtb().Find(L"item", 5, -1, 1), 10);
    EXPECT_EQ(rtb().Find(L"Item", 0, -1, 1 | 4), 10);
    EXPECT_EQ(rtb().Find(L"ITEM", 0, -1, 1 | 4), 23);
    EXPECT_EQ(rtb().Find(L"item", 11, 20, 1 | 2), -1);   // "items" is no whole word
    EXPECT_EQ(rtb().Find(L"item", 11, -1, 1 | 2), 23);
    EXPECT_EQ(rtb().Find(L"item", 11, -1, 1 | 2 | 4), -1);
    EXPECT_EQ(rtb().Find(L"nothing", 0, -1, 1), -1);
    // A match must lie inside the range.
    EXPECT_EQ(rtb().Find(L"item", 0, 7, 1), -1);

    EXPECT_EQ(rtb().FindBack(L"item", 0, -1, 1), 23);
    EXPECT_EQ(rtb().FindBack(L"item", 0, 23, 1), 15);
    EXPECT_EQ(rtb().FindBack(L"item", 0, 23, 1 | 2), 10);
    EXPECT_EQ(rtb().FindBack(L"item", 0, 23, 1 | 4), 15);
    EXPECT_EQ(rtb().FindBack(L"item", 5, 8, 1), -1);
}

TEST_F(KvRTBTest, LinesAndWords)
{
    rtb().SetText(L"first line\r\n\tx = MsgBox(\r\nlast");
    EXPECT_EQ(rtb().TotalLines(), 3);
    EXPECT_EQ(rtb().LenText(), 10 + 1 + 12 + 1 + 4);
    EXPECT_EQ(rtb().GetLineIndex(1), 11);
    EXPECT_EQ(rtb().GetLineIndex(7), -1);
    EXPECT_EQ(rtb().GetLineFromChar(12), 1);
    EXPECT_EQ(rtb().GetLineLength(12), 12);
    EXPECT_EQ(rtb().GetTrimLine(15), L"x = MsgBox(");
    std::wstring line = rtb().GetLine(0, -1);
    EXPECT_EQ(line.substr(0, 10), L"first line");
    EXPECT_EQ(rtb().GetTextRange(6, 10), L"line");
    EXPECT_EQ(rtb().GetTextRange(10, 6), L"");

    // Just after the "(" was typed.
    long start = -1;
    EXPECT_EQ(rtb().GetLastWord(23, start), L"MsgBox");
    EXPECT_EQ(start, 16);
    EXPECT_EQ(rtb().GetLastWord(21, start), L"MsgB");   // the word before the caret
    EXPECT_EQ(start, 16);
    EXPECT_EQ(rtb().GetNextWord(0), L"line");

    // A word at the very start of the text.
    rtb().SetText(L"MsgBox(");
    EXPECT_EQ(rtb().GetLastWord(7, start), L"MsgBox");
    EXPECT_EQ(start, 0);

    rtb().SetSelStart(0);
    EXPECT_EQ(rtb().GetCurLineNum(), 7);
}

TEST_F(KvRTBTest, UndoLimitClearAllAndFormats)
{
    rtb().SetText(L"abc");
    EXPECT_FALSE(rtb().CanUndo());
    rtb().SetSelStart(3);
    rtb().SetSelText(L"d", true);
    EXPECT_TRUE(rtb().CanUndo());
    rtb().Undo();
    EXPECT_EQ(rtb().Text(), L"abc");

    rtb().SetUndoLimit(0);
    rtb().SetSelText(L"e", true);
    EXPECT_FALSE(rtb().CanUndo());

    rtb().ClearAll();
    EXPECT_EQ(rtb().LenText(), 0);

    rtb().SetText(L"plain red");
    rtb().SetSelRange(6, 3);
    rtb().SetSelBold(RGB(255, 0, 0), true);
    CHARFORMATW cf{};
    cf.cbSize = sizeof(cf);
    SendMessageW(rtb().RTBhWnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_EQ(cf.crTextColor, RGB(255, 0, 0));
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
    EXPECT_FALSE(cf.dwEffects & CFE_AUTOCOLOR);
    rtb().SetSelBold(RGB(0, 0, 255), false);
    cf.cbSize = sizeof(cf);
    SendMessageW(rtb().RTBhWnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_EQ(cf.crTextColor, RGB(0, 0, 255));
    EXPECT_FALSE(cf.dwEffects & CFE_BOLD);

    std::wstring face = L"A face name much longer than thirty-one characters";
    rtb().SetFontName(face);
    EXPECT_EQ(rtb().FontName(), face);
    rtb().SetSelRange(0, 1);
    cf.cbSize = sizeof(cf);
    SendMessageW(rtb().RTBhWnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_EQ(std::wstring(cf.szFaceName), face.substr(0, 31));
}

TEST_F(KvRTBTest, TheFontSetAgainReachesTextOfAnotherFaceAndKeepsTheSelectionAndView)
{
    forms::FontSpec font = rtb().Font();
    font.Name = L"Courier New";
    font.Size = 10;
    rtb().SetFont(font);
    rtb().SetText(L"one two three four");
    auto faceAt = [&](long pos) {
        rtb().SetSelRange(pos, 1);
        CHARFORMATW cf{};
        cf.cbSize = sizeof(cf);
        SendMessageW(rtb().RTBhWnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return std::wstring(cf.szFaceName) + L" " + std::to_wstring(cf.yHeight);
    };
    // Text in one face and size: the selection stays where it was.
    rtb().SetSelRange(4, 3);
    rtb().SetFont(font);
    EXPECT_EQ(rtb().SelStart(), 4);
    EXPECT_EQ(rtb().SelLength(), 3);
    EXPECT_EQ(faceAt(8), L"Courier New 200");

    // A stretch in another face, then one in another size: the same font
    // set again reaches them.
    rtb().SetSelRange(4, 3);
    rtb().SetSelTextRTF(L"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 TWO}");
    EXPECT_EQ(faceAt(5), L"Arial 200");
    rtb().SetFont(font);
    EXPECT_EQ(faceAt(5), L"Courier New 200");
    rtb().SetSelRange(8, 5);
    rtb().SetSelTextRTF(L"{\\rtf1\\ansi{\\fonttbl{\\f0 Courier New;}}\\f0\\fs28 THREE}");
    EXPECT_EQ(faceAt(9), L"Courier New 280");
    rtb().SetFont(font);
    EXPECT_EQ(faceAt(9), L"Courier New 200");
    EXPECT_EQ(rtb().Text(), L"one TWO THREE four");

    // A text long enough that its scroll position passes 16 bits keeps
    // its view to the pixel.
    std::wstring lines;
    for (int i = 0; i < 6000; ++i)
        lines += L"line " + std::to_wstring(i) + L"\r";
    rtb().SetText(lines);
    rtb().SetFont(font);
    rtb().SetSelRange(static_cast<long>(lines.find(L"line 4500")), 4);
    HWND re = rtb().RTBhWnd();
    SendMessageW(re, EM_LINESCROLL, 0, 4490 - SendMessageW(re, EM_GETFIRSTVISIBLELINE, 0, 0));
    POINTL before{}, after{};
    SendMessageW(re, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&before), 0);
    ASSERT_LT(before.y, -65536);
    rtb().SetFont(font);
    SendMessageW(re, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&after), 0);
    EXPECT_EQ(after.y, before.y);
    EXPECT_EQ(rtb().SelStart(), static_cast<long>(lines.find(L"line 4500")));
}

// A document just loaded into a shown window waits for its paint while the
// font of its type is checked: the check must not cancel that paint.
TEST_F(KvRTBTest, APaintThatWasDueSurvivesTheFontCheck)
{
    forms::FontSpec font = rtb().Font();
    font.Name = L"Courier New";
    rtb().SetFont(font);
    form.Show();
    HWND re = rtb().RTBhWnd();
    rtb().SetText(L"p { color: red; }");
    UpdateWindow(re);
    InvalidateRect(re, nullptr, TRUE);
    rtb().SetFont(font);
    EXPECT_TRUE(GetUpdateRect(re, nullptr, FALSE));
}

// Past some 65,000 pixels the RichEdit gives its scroll position scaled to
// 16 bits, and takes it unscaled.
TEST_F(KvRTBTest, TheTopLineIsSetToThePixelInALongText)
{
    std::wstring lines;
    for (int i = 0; i < 8000; ++i)
        lines += L"line " + std::to_wstring(i) + L"\r";
    rtb().SetText(lines);
    HWND re = rtb().RTBhWnd();
    RECT view{};
    SendMessageW(re, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&view));
    for (long top : {6000L, 7000L, 300L, 5000L}) {
        rtb().SetTopLine(top);
        EXPECT_EQ(rtb().TopLine(), top);
        POINTL at{};
        SendMessageW(re, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at),
                     SendMessageW(re, EM_LINEINDEX, static_cast<WPARAM>(top), 0));
        EXPECT_EQ(at.y, view.top) << top;
    }
}
