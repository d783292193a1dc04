// The member popup, the parameter tip and the snippet menus on the real
// TARNEL.exe, with the shipped object and signature lists.
#include <gtest/gtest.h>

#include "Drive.h"
#include "MenuIds.h"
#include "SettingsRecord.h"
#include "TlbBuilder.h"

#include "forms/Runtime.h"

#include <richedit.h>

#include <algorithm>
#include <cstdlib>

using apptest::Tarnel;
using namespace drive;

namespace {

void CopyLists(const Tarnel& t)
{
    for (const wchar_t* f : {L"tarnelt.ini", L"tarnelv.ini"})
        CopyFileW((wt::ProgramFolder() + L"\\Settings\\" + f).c_str(), (t.Folder() + L"\\Settings\\" + f).c_str(),
                  FALSE);
}

std::wstring Text(HWND re)
{
    LRESULT n = wt::Send(re, WM_GETTEXTLENGTH);
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    wt::Send(re, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(&buf[0]));
    buf.resize(wcslen(buf.c_str()));
    return buf;
}

void ToEnd(HWND re)
{
    const LRESULT n = wt::Send(re, WM_GETTEXTLENGTH);
    wt::Send(re, EM_SETSEL, n, n);
}

// A key as the keyboard gives it to the editor: down, its character, up.
void Key(const Tarnel& t, WPARAM vk)
{
    HWND re = t.Editor();
    // The program's message loop makes the character of the key, which
    // comes before the key goes up, as from the keyboard.
    const LRESULT length = wt::Send(re, WM_GETTEXTLENGTH);
    PostMessageW(re, WM_KEYDOWN, vk, 1);
    if (vk == VK_OEM_PERIOD || vk == VK_SPACE)
        wt::WaitFor([&] { return wt::Send(re, WM_GETTEXTLENGTH) > length; }, 5000);
    PostMessageW(re, WM_KEYUP, vk, 0xC0000001);
    // A sent message overtakes posted ones: wait until the keys were taken.
    for (int i = 0; i < 4; ++i) {
        Sleep(15);
        wt::Send(t.Main(), WM_NULL);
    }
}

// Shift+key through the keyboard, so the program reads Shift as held.
void ShiftKey(const Tarnel& t, WORD vk) { t.KeyWith(VK_SHIFT, vk); }

// The popup list when it is shown (the visible list with items), or null.
HWND PopupList(const Tarnel& t)
{
    for (HWND w : wt::Children(t.Main()))
        if (IsWindowVisible(w) && wt::ClassName(w) == L"ListBox" && wt::Send(w, LB_GETCOUNT) > 0)
            return w;
    return nullptr;
}

// The settings window's button or list whose top left corner is nearest
// the point (twips in the window's client area).
HWND ControlAt(HWND form, const wchar_t* cls, int xTwips, int yTwips)
{
    HWND best = nullptr;
    long bestDistance = 1 << 30;
    for (HWND w : wt::Children(form)) {
        if (!IsWindowVisible(w) || wt::ClassName(w) != cls)
            continue;
        RECT r{};
        GetWindowRect(w, &r);
        POINT p{r.left, r.top};
        ScreenToClient(form, &p);
        const long d = std::abs(p.x - xTwips / 15) + std::abs(p.y - yTwips / 15);
        if (d < bestDistance) {
            bestDistance = d;
            best = w;
        }
    }
    return bestDistance < 12 ? best : nullptr;
}

void ClickAt(HWND w, int x, int y)
{
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Sleep(50);
    wt::Send(w, WM_NULL);
    wt::Send(GetAncestor(w, GA_ROOT), WM_NULL);
}

void Press(HWND form, int xTwips, int yTwips)
{
    HWND b = ControlAt(form, L"ButSilver2", xTwips, yTwips);
    ASSERT_NE(b, nullptr) << xTwips << "," << yTwips;
    ClickAt(b, 5, 5);
}

// A click on item i of a list with check boxes: on its box, or on its text.
void ClickItem(HWND list, int i, bool onBox)
{
    RECT r{};
    wt::Send(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    ClickAt(list, onBox ? r.left + 6 : r.left + 60, (r.top + r.bottom) / 2);
}

std::wstring Item(HWND list, int i)
{
    wchar_t buf[256] = {};
    wt::Send(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));
    return buf;
}

// A value of the object list file, once it reads as expected (or after a
// few seconds, as it reads then).
std::wstring Ini(const Tarnel& t, const wchar_t* section, const wchar_t* key, const std::wstring& expected)
{
    std::wstring value;
    wt::WaitFor([&] {
        wchar_t buf[256] = {};
        GetPrivateProfileStringW(section, key, L"NA", buf, 256, (t.Folder() + L"\\Settings\\tarnelt.ini").c_str());
        value = buf;
        return value == expected;
    }, 3000);
    return value;
}

// The message or input box the program shows next whose text is text.
wt::Dialog Shown(Tarnel& t, const std::wstring& text)
{
    wt::Dialog d;
    wt::WaitFor([&] {
        d = wt::FindDialog(t.Process(), 200);
        return d.hwnd && d.text == text;
    }, 5000);
    return d;
}

bool Start(Tarnel& t, const std::wstring& page, const std::string& text)
{
    SettingsRecord rec;
    SettingsRecordFile::SetSettingsDefaults(rec);
    t.WriteRecord(rec);
    CopyLists(t);
    WriteAll(t.Folder() + L"\\" + page, text);
    return t.Start(t.Folder() + L"\\" + page);
}

} // namespace

TEST(AutoInsertWindow, MemberPopupAfterAPeriod)
{
    Tarnel t(L"autoinsert_members");
    ASSERT_TRUE(Start(t, L"page.vbs", "Set fs = CreateObject(\"Scripting.FileSystemObject\")\r\n"));
    ToEnd(t.Editor());

    // A variable declared with CreateObject: Down and Enter choose.
    t.Type(L"fs");
    Key(t, VK_OEM_PERIOD);
    HWND list = PopupList(t);
    t.Shot(L"popup.bmp");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(wt::Send(list, LB_GETCOUNT), 27);
    Key(t, VK_DOWN);
    Key(t, VK_RETURN);
    EXPECT_TRUE(wt::WaitFor([&] { return PopupList(t) == nullptr; }));
    EXPECT_TRUE(wt::WaitFor([&] { return Text(t.Editor()).find(L"fs.Drives") != std::wstring::npos; }))
        << Text(t.Editor());

    // One of the var names: a click chooses.
    ToEnd(t.Editor());
    t.Type(L"\rts");
    Key(t, VK_OEM_PERIOD);
    list = PopupList(t);
    ASSERT_NE(list, nullptr);
    RECT item{};
    wt::Send(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 20, item.top + 3));
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(item.left + 20, item.top + 3));
    // The clicks are posted: a message sent after them is handled first, so
    // wait for the pick to show instead.
    EXPECT_TRUE(wt::WaitFor([&] { return Text(t.Editor()).find(L"ts.Column") != std::wstring::npos; }))
        << Text(t.Editor());

    // Escape closes it and inserts nothing.
    ToEnd(t.Editor());
    t.Type(L"\rdic");
    Key(t, VK_OEM_PERIOD);
    ASSERT_NE(PopupList(t), nullptr);
    Key(t, VK_ESCAPE);
    EXPECT_TRUE(wt::WaitFor([&] { return PopupList(t) == nullptr; }));
    EXPECT_EQ(Text(t.Editor()).substr(Text(t.Editor()).size() - 4), L"dic.");

    // Inside a string or a comment a period is text.
    for (const wchar_t* line : {L"\rx = \"fs", L"\rx = 1 ' fs"}) {
        ToEnd(t.Editor());
        t.Type(line);
        Key(t, VK_OEM_PERIOD);
        EXPECT_EQ(PopupList(t), nullptr) << line;
    }
    t.Process().Kill();
}

TEST(AutoInsertWindow, ParameterTipAfterABracket)
{
    Tarnel t(L"autoinsert_tip");
    ASSERT_TRUE(Start(t, L"page.vbs", "x = 1\r\n"));
    ToEnd(t.Editor());
    t.Type(L"msgbox");
    ShiftKey(t, '9');
    // The word takes the signature's spelling, and the tip shows it.
    EXPECT_TRUE(wt::WaitFor([&] { return Text(t.Editor()).find(L"MsgBox(") != std::wstring::npos; }))
        << Text(t.Editor());
    wt::Drawn tip = wt::FindDrawn(t.Main(), L" MsgBox(prompt [, buttons] [, title] [, helpfile, context]) ");
    ASSERT_TRUE(tip);
    EXPECT_TRUE(tip.visible);
    t.Shot(L"tip.bmp");
    t.Process().Kill();
}

// JavaScript is case-sensitive: a name the VBScript list spells otherwise
// keeps the case it was typed in.
TEST(AutoInsertWindow, JavaScriptKeepsTheTypedCase)
{
    Tarnel t(L"autoinsert_js");
    ASSERT_TRUE(Start(t, L"page.js", "var x = 1;\r\n"));
    ToEnd(t.Editor());
    t.Type(L"var e = escape");
    ShiftKey(t, '9');
    ShiftKey(t, '0');  // after the "(" key has been handled
    EXPECT_TRUE(wt::WaitFor([&] { return Text(t.Editor()).find(L"scape()") != std::wstring::npos; }));
    EXPECT_NE(Text(t.Editor()).find(L"var e = escape()"), std::wstring::npos) << Text(t.Editor());
    t.Process().Kill();
}

TEST(AutoInsertWindow, SettingsWindowKeepsTheObjectList)
{
    const std::wstring library = wt::ScratchFolder(L"autoinsert_tlb") + L"\\TarnelTest.tlb";
    DeleteFileW(library.c_str());
    ASSERT_EQ(tlbtest::BuildTestLibrary(library), "");
    Tarnel t(L"autoinsert_settings");
    ASSERT_TRUE(Start(t, L"page.vbs", "x = 1\r\n"));
    t.Command(IDM_mAutoSet);
    HWND w = t.Process().FindTopWindow(L"", L"Auto-Insert Settings", 5000);
    ASSERT_NE(w, nullptr);
    HWND objects = ControlAt(w, L"ListBox", 240, 360);
    ASSERT_NE(objects, nullptr);
    EXPECT_EQ(wt::Send(objects, LB_GETCOUNT), 3);

    // A class from a type library file: found, ticked, added.
    Press(w, 7380, 1530);
    wt::Dialog open = wt::FindDialog(t.Process(), 5000);
    ASSERT_NE(open.hwnd, nullptr);
    ASSERT_TRUE(ChooseFile(open.hwnd, library));
    HWND found = nullptr;
    ASSERT_TRUE(wt::WaitFor([&] { return (found = ControlAt(w, L"ListBox", 4680, 780)) != nullptr; }, 5000));
    EXPECT_EQ(Item(found, 0), L"TarnelTest.Widget");
    Sleep(300);
    t.Shot(L"found.bmp");
    ClickItem(found, 0, true);
    Press(w, 4680, 3750);
    ASSERT_EQ(wt::Send(objects, LB_GETCOUNT), 4);
    EXPECT_EQ(Item(objects, 3), L"TarnelTest.Widget");
    EXPECT_EQ(Ini(t, L"TarnelTest.Widget", L"Refresh", L"Refresh - Method -"), L"Refresh - Method -");

    // Renamed; a name another item has in other letters is refused.
    ClickItem(objects, 3, false);
    Press(w, 1590, 3750);
    const std::wstring prompt = L"Enter new object name. Avoid using spaces.";
    wt::Dialog ask = Shown(t, prompt);
    ASSERT_NE(ask.hwnd, nullptr);
    SetText(GetDlgItem(ask.hwnd, forms::kInputBoxTextId), L"SCRIPTING.DICTIONARY");
    wt::PressButton(ask.hwnd, IDOK);
    wt::Dialog refused = Shown(t, L"Item with that name already exists.");
    ASSERT_NE(refused.hwnd, nullptr);
    wt::PressButton(refused.hwnd, IDOK);
    wt::WaitFor([&] { return !IsWindow(refused.hwnd); }, 5000);
    Press(w, 1590, 3750);
    ask = Shown(t, prompt);
    ASSERT_NE(ask.hwnd, nullptr);
    SetText(GetDlgItem(ask.hwnd, forms::kInputBoxTextId), L"Widget");
    wt::PressButton(ask.hwnd, IDOK);
    ASSERT_TRUE(wt::WaitFor([&] { return Item(objects, 3) == L"Widget"; }, 5000));
    EXPECT_EQ(Ini(t, L"Widget", L"Refresh", L"Refresh - Method -"), L"Refresh - Method -");
    EXPECT_EQ(Ini(t, L"TarnelTest.Widget", L"Refresh", L"NA"), L"NA");

    // Ticked, given a variable, and Reset: the editor offers its members.
    ClickItem(objects, 3, true);
    EXPECT_EQ(Ini(t, L"Widget", L"Load*Startup", L"yes"), L"yes");
    ClickItem(objects, 3, false);
    SetText(ControlAt(w, L"Edit", 240, 4860), L"wid");
    Press(w, 7440, 4845);
    EXPECT_EQ(Ini(t, L"Widget", L"var*1", L"wid"), L"wid");
    Press(w, 7560, 3150);
    PostMessageW(w, WM_CLOSE, 0, 0);
    ToEnd(t.Editor());
    t.Type(L"\rwid");
    Key(t, VK_OEM_PERIOD);
    HWND list = PopupList(t);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Item(list, 0), L"Refresh");
    Key(t, VK_ESCAPE);

    // Removed.
    t.Command(IDM_mAutoSet);
    ASSERT_TRUE(wt::WaitFor([&] { return IsWindowVisible(w) != FALSE; }, 5000));
    ClickItem(objects, 3, false);
    Press(w, 2940, 3750);
    ASSERT_TRUE(wt::WaitFor([&] { return wt::Send(objects, LB_GETCOUNT) == 3; }, 5000));
    EXPECT_EQ(Ini(t, L"Widget", L"Refresh", L"NA"), L"NA");
    t.Process().Kill();
}

namespace {

// Ctrl+letter through the keyboard, so the program reads Ctrl as held.
void CtrlKey(const Tarnel& t, wchar_t letter) { t.KeyWith(VK_CONTROL, static_cast<WORD>(letter)); }
// Pixels of area in a colour that is neither grey nor black: coloured text.
int Colourful(const wt::Screenshot& s, RECT area)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = s.At(x, y);
            const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            if (std::max({r, g, b}) - std::min({r, g, b}) > 60)
                ++n;
        }
    return n;
}

// The snippet window when it is shown.
HWND MenuWindow(Tarnel& t)
{
    for (HWND w : t.Process().TopWindows())
        if (w != t.Main() && wt::WindowText(w).empty())
            return w;
    return nullptr;
}

} // namespace

TEST(AutoInsertWindow, SnippetMenus)
{
    Tarnel t(L"autoinsert_snippets");
    SettingsRecord rec;
    SettingsRecordFile::SetSettingsDefaults(rec);
    rec.Menu1On = true;
    rec.Menu1Key = 'J';
    rec.Menu2On = false;
    rec.Menu2Key = 'K';
    rec.Menu1Items.resize(10, L"-");
    rec.Menu1Items[2] = L"Dim total";
    const std::wstring write = L"Response.Write \"Fish & Chips for two\"", endless(400, L'w');
    rec.Menu1Items[3] = write;
    rec.Menu1Items[4] = endless;
    t.WriteRecord(rec);
    CopyLists(t);
    WriteAll(t.Folder() + L"\\page.vbs", "x = 1\r\n");
    ASSERT_TRUE(t.Start(t.Folder() + L"\\page.vbs"));
    ToEnd(t.Editor());

    // A disabled menu's key opens nothing.
    CtrlKey(t, 'K');
    EXPECT_EQ(MenuWindow(t), nullptr);

    wt::Screenshot before;
    ASSERT_TRUE(wt::ScreenshotShowing(t.Folder() + L"\\before.bmp", t.Main(), before,
                                      [](const wt::Screenshot&) { return true; }));
    const int colourfulBefore = Colourful(before, wt::RectIn(t.Editor(), t.Main()));

    CtrlKey(t, 'J');
    HWND menu = nullptr;
    ASSERT_TRUE(wt::WaitFor([&] { return (menu = MenuWindow(t)) != nullptr; }, 5000));
    wt::Drawn item = wt::FindDrawn(menu, L"Dim total");
    ASSERT_TRUE(item);
    t.Shot(L"menu.bmp");
    // A long snippet shows whole, in a menu as wide as it; an endless one
    // ends at a width that fits on the screen.
    RECT window{};
    GetWindowRect(menu, &window);
    wt::Drawn longer = wt::FindDrawn(menu, write), longest = wt::FindDrawn(menu, endless);
    ASSERT_TRUE(longer);
    ASSERT_TRUE(longest);
    EXPECT_GT(longer.screen.right - longer.screen.left, 1200 / 15 + 40);
    EXPECT_LE(longest.screen.right, window.right);
    EXPECT_LE(window.right - window.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_GE(window.left, 0);
    EXPECT_GE(window.top, 0);
    wt::Click(item);
    ASSERT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(menu); }, 5000));
    wt::Send(t.Main(), WM_NULL);
    HWND re = t.Editor();
    EXPECT_EQ(Text(re), L"x = 1\r\nDim total");
    DWORD start = 0, end = 0;
    wt::Send(re, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 15u);
    // Recoloured: the keyword is not in the black it was typed in.
    const std::wstring shot = t.Folder() + L"\\inserted.bmp";
    wt::Screenshot seen;
    EXPECT_TRUE(wt::ScreenshotShowing(shot, t.Main(), seen, [&](const wt::Screenshot& s) {
        return Colourful(s, wt::RectIn(t.Editor(), t.Main())) > colourfulBefore + 15;
    }));
    t.Process().Kill();
}
