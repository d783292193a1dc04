#include <gtest/gtest.h>

#include "ButSilver2/ButSilver2.h"
#include "ControlsTestUtil.h"
#include "KvListBox/KvListBox.h"
#include "WindowTest.h"

// A window with the list and four buttons in their looks, saved as a picture
// so the drawing can be looked at, and checked at the places whose colour is known.
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
    // The selected row in its colour; the picture as it is on the normal and
    // the hovered button, paler on the pressed and the disabled one.
    wt::Screenshot seen;
    EXPECT_TRUE(wt::ScreenshotShowing(shot, host.hwnd, seen, [&](const wt::Screenshot& p) {
        bool ok = p.Count(list.SelBackColor(), wt::RectIn(list.hwnd, host.hwnd), 8) > 100;
        for (ButSilver2* b : {&normal, &hover, &pressed, &disabled}) {
            const int shown = p.Count(RGB(90, 160, 220), wt::RectIn(b->hwnd, host.hwnd), 8);
            ok = ok && (b == &normal || b == &hover ? shown > 40 * 24 / 2 : shown == 0);
        }
        return ok;
    }));
    ReleaseCapture();
}
