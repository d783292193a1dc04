// The member popup, the parameter tip and the snippet menus on the real
// TARNEL.exe, with the shipped object and signature lists.
#include <gtest/gtest.h>

#include "Drive.h"
#include "MenuIds.h"
#include "SettingsRecord.h"

#include <richedit.h>

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
void ShiftKey(const Tarnel& t, WORD vk)
{
    SetForegroundWindow(t.Main());
    SetFocus(t.Editor());
    INPUT in[4] = {};
    const WORD keys[4] = {VK_SHIFT, vk, vk, VK_SHIFT};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = keys[i];
        in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, in, sizeof(INPUT));
    Sleep(150);
    wt::Send(t.Editor(), WM_NULL);
    wt::Send(t.Main(), WM_NULL);
}

// The popup list when it is shown (the visible list with items), or null.
HWND PopupList(const Tarnel& t)
{
    for (HWND w : wt::Children(t.Main()))
        if (IsWindowVisible(w) && wt::ClassName(w) == L"ListBox" && wt::Send(w, LB_GETCOUNT) > 0)
            return w;
    return nullptr;
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
    EXPECT_EQ(PopupList(t), nullptr);
    EXPECT_NE(Text(t.Editor()).find(L"fs.Drives"), std::wstring::npos) << Text(t.Editor());

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
    wt::Send(list, WM_NULL);
    wt::Send(t.Main(), WM_NULL);
    EXPECT_NE(Text(t.Editor()).find(L"ts.Column"), std::wstring::npos) << Text(t.Editor());

    // Escape closes it and inserts nothing.
    ToEnd(t.Editor());
    t.Type(L"\rdic");
    Key(t, VK_OEM_PERIOD);
    ASSERT_NE(PopupList(t), nullptr);
    Key(t, VK_ESCAPE);
    EXPECT_EQ(PopupList(t), nullptr);
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
    EXPECT_NE(Text(t.Editor()).find(L"MsgBox("), std::wstring::npos) << Text(t.Editor());
    wt::Drawn tip = wt::FindDrawn(t.Main(), L" MsgBox(prompt [, buttons] [, title] [, helpfile, context]) ");
    ASSERT_TRUE(tip);
    EXPECT_TRUE(tip.visible);
    t.Shot(L"tip.bmp");
    t.Process().Kill();
}
