// What the real TARNEL.exe shows, seen on the screen: tool windows in front
// of the main window, the gutter in line with the editor, and nothing left
// over from another document or another program.
#include <gtest/gtest.h>

#include "MenuIds.h"
#include "TarnelCopy.h"
#include "platform/Files.h"

#include <richedit.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using apptest::Tarnel;

namespace {

SettingsRecord Record()
{
    SettingsRecord rec;
    SettingsRecordFile::SetSettingsDefaults(rec);
    rec.LastEdType = 2;
    return rec;
}

std::wstring WriteDocument(const Tarnel& t, const wchar_t* name, const std::string& text)
{
    std::wstring path = t.Folder() + L"\\" + name;
    EXPECT_TRUE(platform::WriteFileSafely(path, text));
    return path;
}

bool Start(Tarnel& t, const std::wstring& document)
{
    t.WriteRecord(Record());
    return t.Start(L"\"" + document + L"\"");
}

RECT RectIn(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// A click of the left button in the middle of a window, as the mouse gives it.
void ClickIn(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
}

// The window's caption is seen on the screen: no other window lies over it.
// The caption's right part, past its text and before its buttons, shows the
// caption colour, active or not.
bool CaptionSeen(const Tarnel& t, HWND window, const std::wstring& shot)
{
    RECT r{};
    GetWindowRect(window, &r);
    const int w = r.right - r.left, top = r.top + GetSystemMetrics(SM_CYFRAME);
    const RECT strip{r.left + w * 6 / 10, top + 4, r.left + w * 8 / 10, top + GetSystemMetrics(SM_CYSMCAPTION) - 6};
    const int area = (strip.right - strip.left) * (strip.bottom - strip.top);
    wt::Screenshot seen;
    return wt::ScreenshotShowing(t.Folder() + L"\\" + shot, nullptr, seen, [&](const wt::Screenshot& s) {
        for (int c : {COLOR_ACTIVECAPTION, COLOR_INACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION,
                      COLOR_GRADIENTINACTIVECAPTION})
            if (s.Count(GetSysColor(c), strip, 24) > area / 2)
                return true;
        return false;
    });
}

// The gutter's number on its first visible row, whole.
std::wstring GutterTopNumber(HWND gutter)
{
    const WPARAM top = static_cast<WPARAM>(wt::Send(gutter, EM_GETFIRSTVISIBLELINE));
    wchar_t line[32] = {};
    *reinterpret_cast<WORD*>(line) = 31;
    const LRESULT n = wt::Send(gutter, EM_GETLINE, top, reinterpret_cast<LPARAM>(line));
    return std::wstring(line, n > 0 ? static_cast<size_t>(n) : 0);
}

// The editor's first visible line, and whether it shows whole.
long TopLine(HWND editor, bool* whole = nullptr)
{
    const long top = static_cast<long>(wt::Send(editor, EM_GETFIRSTVISIBLELINE));
    if (whole) {
        // Asked from outside: the RichEdit answers a place as a packed point.
        RECT view{};
        wt::Send(editor, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&view));
        const LRESULT at = wt::Send(editor, EM_POSFROMCHAR, wt::Send(editor, EM_LINEINDEX, top));
        *whole = static_cast<short>(HIWORD(at)) == view.top;
    }
    return top;
}

// The gutter shows the number of the editor's first line, that line whole.
void ExpectGutterInLine(const Tarnel& t, const char* after)
{
    bool whole = false;
    const long top = TopLine(t.Editor(), &whole);
    EXPECT_TRUE(whole) << after;
    EXPECT_EQ(GutterTopNumber(t.Gutter()), std::to_wstring(top + 1)) << after;
}

// What the line and column labels show, beside their captions.
std::pair<std::wstring, std::wstring> LineColShown(const Tarnel& t)
{
    const wt::Drawn line = wt::FindDrawn(t.Main(), L"Line");
    std::vector<wt::Drawn> labels;
    for (const wt::Drawn& d : wt::DrawnIn(line.container))
        if (d.IsLabel() && d.visible)
            labels.push_back(d);
    std::sort(labels.begin(), labels.end(), [](const wt::Drawn& a, const wt::Drawn& b) { return a.screen.left < b.screen.left; });
    if (labels.size() < 4)
        return {};
    return {labels[1].name, labels[3].name};
}

// The caret's line and column, counted from 1.
std::pair<std::wstring, std::wstring> Caret(HWND editor)
{
    DWORD start = 0;
    wt::Send(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const long line = static_cast<long>(wt::Send(editor, EM_EXLINEFROMCHAR, 0, start));
    const long column = static_cast<long>(start) - static_cast<long>(wt::Send(editor, EM_LINEINDEX, line));
    return {std::to_wstring(line + 1), std::to_wstring(column + 1)};
}

} // namespace

TEST(ShownWindows, TheReportOfAFormatCheckComesUpInFront)
{
    // Each check gives the editor the focus after it shows its report.
    Tarnel t(L"shown_report");
    ASSERT_TRUE(Start(t, WriteDocument(t, L"code.vbs", "x=1\r\nIf a\r\nDim y\r\nFor i = 1 To 2\r\n")));
    for (int i = 0; i < 3; ++i) {
        ClickIn(t.Editor());
        t.Command(IDM_mRunDebug);
        HWND report = t.Process().FindTopWindow(L"", L"Format Debugging Report - VBS", 10000);
        ASSERT_NE(report, nullptr);
        EXPECT_TRUE(CaptionSeen(t, report, L"report" + std::to_wstring(i) + L".bmp")) << "check " << i + 1;
        PostMessageW(report, WM_CLOSE, 0, 0);
        wt::WaitFor([&] { return !IsWindowVisible(report); }, 5000);
    }
}

TEST(ShownWindows, TheFindWindowStaysInFrontAfterReplacingManyHits)
{
    Tarnel t(L"shown_find");
    std::string page = "<html><body>\r\n";
    for (int i = 0; i < 1000; ++i)
        page += "<p>line " + std::to_string(i) + " with a word</p>\r\n";
    ASSERT_TRUE(Start(t, WriteDocument(t, L"page.htm", page + "</body></html>\r\n")));
    t.Command(IDM_mFind);
    HWND find = t.Process().FindTopWindow(L"", L"Find and Replace", 10000);
    ASSERT_NE(find, nullptr);
    // The two fields, and the fourth button from the left: All.
    std::vector<HWND> fields, buttons;
    for (HWND c : wt::Children(find)) {
        const std::wstring cls = wt::ClassName(c);
        if (cls == L"Edit")
            fields.push_back(c);
        else if (cls != L"Button" && cls != L"Static" && cls.find(L"tooltips") == std::wstring::npos)
            buttons.push_back(c);
    }
    auto byLeft = [](HWND a, HWND b) { return RectIn(a).left < RectIn(b).left; };
    std::sort(fields.begin(), fields.end(), byLeft);
    std::sort(buttons.begin(), buttons.end(), byLeft);
    ASSERT_EQ(fields.size(), 2u);
    ASSERT_EQ(buttons.size(), 5u);
    wt::Send(fields[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"word"));
    wt::Send(fields[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"phrase"));
    ClickIn(buttons[3]);
    wt::Dialog d = wt::FindDialog(t.Process(), 30000);
    EXPECT_EQ(d.text, L"1000 replacements made.");
    ClickIn(GetDlgItem(d.hwnd, IDOK));
    ASSERT_TRUE(wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000));
    EXPECT_TRUE(CaptionSeen(t, find, L"replaced.bmp"));
    ExpectGutterInLine(t, "after Replace All");
    // And still there a moment later, once the editor has the focus.
    Sleep(1000);
    EXPECT_TRUE(CaptionSeen(t, find, L"later.bmp"));
}

TEST(ShownWindows, ALongFileShowsItsNumbersWholeAndInLine)
{
    Tarnel t(L"shown_long");
    std::string page = "<html><body>\r\n";
    for (int i = 0; i < 19997; ++i)
        page += "<p>line " + std::to_string(i + 2) + " of the page</p>\r\n";
    ASSERT_TRUE(Start(t, WriteDocument(t, L"long.htm", page + "</body></html>\r\n")));
    t.KeyWith(VK_CONTROL, VK_END);
    HWND gutter = t.Gutter(), editor = t.Editor();
    const long top = static_cast<long>(wt::Send(editor, EM_GETFIRSTVISIBLELINE));
    ASSERT_GT(top, 19900);
    EXPECT_EQ(GutterTopNumber(gutter), std::to_wstring(top + 1)) << "one number to a row, in line with the text";
    // Six digits fit beside the margins: the digits' advance from the
    // places of a five-digit number's first and last.
    const long start = static_cast<long>(wt::Send(gutter, EM_LINEINDEX, wt::Send(gutter, EM_GETFIRSTVISIBLELINE)));
    const short first = LOWORD(wt::Send(gutter, EM_POSFROMCHAR, start)), last = LOWORD(wt::Send(gutter, EM_POSFROMCHAR, start + 4));
    const LRESULT margins = wt::Send(gutter, EM_GETMARGINS);
    RECT client{};
    GetClientRect(gutter, &client);
    EXPECT_LE(6 * (last - first) / 4 + LOWORD(margins) + HIWORD(margins), client.right);
    // The line label shows the number apart from the "Col." caption.
    const wt::Drawn number = wt::FindDrawn(t.Main(), L"20000"), col = wt::FindDrawn(t.Main(), L"Col.");
    ASSERT_TRUE(number);
    ASSERT_TRUE(col);
    EXPECT_GE(number.screen.right - number.screen.left, 6 * (last - first) / 4) << "six digits of a label";
    EXPECT_LT(number.screen.right, col.screen.left);
    t.Shot(L"end.bmp");
}

TEST(ShownWindows, TheGutterFollowsEnterOnTheLastRowAndADraggedThumb)
{
    Tarnel t(L"shown_gutter");
    std::string text;
    for (int i = 1; i <= 300; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(Start(t, WriteDocument(t, L"lines.txt", text)));
    HWND editor = t.Editor();
    // The caret at the end of the last row the view shows whole.
    RECT view{};
    wt::Send(editor, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&view));
    const int rowHeight = static_cast<short>(HIWORD(wt::Send(editor, EM_POSFROMCHAR, wt::Send(editor, EM_LINEINDEX, 1)))) -
                          static_cast<short>(HIWORD(wt::Send(editor, EM_POSFROMCHAR, 0)));
    ASSERT_GT(rowHeight, 0);
    const long rows = (view.bottom - view.top) / rowHeight;
    const long end = static_cast<long>(wt::Send(editor, EM_LINEINDEX, rows - 1) + wt::Send(editor, EM_LINELENGTH, wt::Send(editor, EM_LINEINDEX, rows - 1)));
    wt::Send(editor, EM_SETSEL, end, end);
    t.Type(L"\r\r\r");
    ASSERT_GT(TopLine(editor), 0) << "the view followed the caret";
    ExpectGutterInLine(t, "after Enter on the last row");

    // The thumb dragged down the scroll bar, held there.
    RECT r{};
    GetWindowRect(editor, &r);
    const int x = r.right - GetSystemMetrics(SM_CXVSCROLL) / 2 - 2, y = r.top + GetSystemMetrics(SM_CYVSCROLL) + 6;
    SetCursorPos(x, y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &in, sizeof(INPUT));
    Sleep(300);
    for (int step = 1; step <= 5; ++step) {
        SetCursorPos(x, y + step * 30);
        Sleep(100);
    }
    Sleep(500);
    const long dragged = TopLine(editor);
    EXPECT_GT(dragged, 30);
    EXPECT_EQ(GutterTopNumber(t.Gutter()), std::to_wstring(dragged + 1)) << "while the thumb is held";
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof(INPUT));
    Sleep(500);
    ExpectGutterInLine(t, "after the drag");
}

TEST(ShownWindows, LineAndColumnFollowTheDocumentShown)
{
    Tarnel t(L"shown_linecol");
    std::string text;
    for (int i = 1; i <= 20; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(Start(t, WriteDocument(t, L"a.htm", text)));
    HWND editor = t.Editor();
    const long place = static_cast<long>(wt::Send(editor, EM_LINEINDEX, 9)) + 3;
    wt::Send(editor, EM_SETSEL, place, place);
    EXPECT_TRUE(wt::WaitFor([&] { return LineColShown(t) == std::make_pair(std::wstring(L"10"), std::wstring(L"4")); }, 3000));
    ASSERT_TRUE(wt::DropFiles(t.Process(), editor, {WriteDocument(t, L"b.htm", "<p>other</p>\r\n")}));
    ASSERT_TRUE(wt::WaitFor([&] { return bool(wt::FindDrawn(t.Main(), L"b.htm")); }, 10000));
    EXPECT_TRUE(wt::WaitFor([&] { return LineColShown(t) == std::make_pair(std::wstring(L"1"), std::wstring(L"1")); }, 3000))
        << "a file just opened: " << testing::PrintToString(LineColShown(t).first + L"," + LineColShown(t).second);
    wt::Click(wt::FindDrawn(t.Main(), L"a.htm"));
    ASSERT_TRUE(wt::WaitFor([&] { return wt::WindowText(t.Main()).find(L"a.htm") != std::wstring::npos; }, 10000));
    EXPECT_TRUE(wt::WaitFor([&] { return LineColShown(t) == Caret(editor); }, 3000))
        << "back on the first: " << testing::PrintToString(LineColShown(t).first + L"," + LineColShown(t).second);
    t.Shot(L"switched.bmp");
}
