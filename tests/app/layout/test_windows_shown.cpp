// What the real TARNEL.exe shows, seen on the screen: tool windows in front
// of the main window, the gutter in line with the editor, and nothing left
// over from another document or another program.
#include <gtest/gtest.h>

#include "MenuIds.h"
#include "TarnelCopy.h"
#include "platform/Files.h"

#include <algorithm>
#include <string>
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
    // And still there a moment later, once the editor has the focus.
    Sleep(1000);
    EXPECT_TRUE(CaptionSeen(t, find, L"later.bmp"));
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
