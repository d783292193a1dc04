#include <gtest/gtest.h>

#include "ButSilver2/ButSilver2.h"
#include "ControlsTestUtil.h"
#include "KvListBox/KvListBox.h"
#include "WindowTest.h"

// A window with the list and four buttons in their looks, saved as a picture
// so the drawing can be looked at.
TEST(SampleWindow, ListAndButtonsInTheirStatesCanBeSeen)
{
    ctl::HostWindow host(360, 260, L"KvListBox and ButSilver2", true);
    KvListBox list;
    ASSERT_TRUE(list.Create(host.hwnd, 10, 10, 180, 200));
    list.SelBackColor(0xBE681B);
    list.SelTextColor(0xFBEDE1);
    const struct {
        const wchar_t* text;
        long kind;
    } items[] = {{L"Count (property)", -1}, {L"Add (method)", -2}, {L"OnLoad (event)", -3},
                 {L"plain item", 0},        {L"kind 1", 1},         {L"kind 2", 2},
                 {L"kind 3 class", 3},      {L"kind 4", 4},         {L"kind 5", 5},
                 {L"kind 6", 6},            {L"kind 7", 7},         {L"kind 8 Constants", 8}};
    for (const auto& i : items)
        list.Add(i.text, i.kind);
    list.ListIndex(1);
    list.AddHScroll();

    HBITMAP pic = ctl::SolidBitmap(40, 24, RGB(90, 160, 220));
    ButSilver2 normal, hover, pressed, disabled;
    ButSilver2* buttons[] = {&normal, &hover, &pressed, &disabled};
    for (int i = 0; i < 4; ++i) {
        buttons[i]->Image(pic);
        ASSERT_TRUE(buttons[i]->Create(host.hwnd, 220, 10 + i * 40));
    }
    DeleteObject(pic);
    SendMessageW(hover.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageW(pressed.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    disabled.Enabled(false);
    SetFocus(host.hwnd);
    UpdateWindow(host.hwnd);
    RedrawWindow(host.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();

    std::wstring shot = wt::ScratchFolder(L"controls") + L"\\sample_window.bmp";
    EXPECT_TRUE(wt::SaveScreenshot(shot, host.hwnd));
    ReleaseCapture();
}
