#include <gtest/gtest.h>

#include "ButSilver2/ButSilver2.h"
#include "ControlsTestUtil.h"

namespace {

const COLORREF kPicture = RGB(255, 0, 0);

COLORREF Blend(COLORREF a, COLORREF b)
{
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
               (GetBValue(a) + GetBValue(b)) / 2);
}

struct ButtonFixture : ::testing::Test {
    ctl::HostWindow host;
    ButSilver2 button;
    HBITMAP picture = nullptr;
    int clicks = 0;

    void SetUp() override
    {
        picture = ctl::SolidBitmap(24, 20, kPicture);
        button.Image(picture);
        ASSERT_TRUE(button.Create(host.hwnd, 30, 30));
        button.Click = [this] { ++clicks; };
    }
    void TearDown() override { DeleteObject(picture); }

    void Send(UINT msg, int x, int y, WPARAM keys = 0)
    {
        SendMessageW(button.hwnd, msg, keys, MAKELPARAM(x, y));
    }

    // The button as it would paint now.
    struct Look {
        COLORREF corner, centre, shiftedCorner;
    };
    Look Render()
    {
        ctl::Canvas c(24, 20, RGB(1, 2, 3));
        SendMessageW(button.hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.dc), PRF_CLIENT);
        int s = ButSilver2::PressShift();
        return Look{c.Pixel(0, 0), c.Pixel(12, 10), c.Pixel(s, s)};
    }
};

} // namespace

TEST_F(ButtonFixture, TakesThePictureSizeAndDrawsItInTheNormalState)
{
    RECT rc;
    GetClientRect(button.hwnd, &rc);
    EXPECT_EQ(rc.right, 24);
    EXPECT_EQ(rc.bottom, 20);
    MoveWindow(button.hwnd, 30, 30, 80, 80, TRUE);
    GetClientRect(button.hwnd, &rc);
    EXPECT_EQ(rc.right, 24) << "every resize returns to the picture's size";

    Look look = Render();
    EXPECT_EQ(look.corner, kPicture);
    EXPECT_EQ(look.centre, kPicture);
}

TEST_F(ButtonFixture, ClickSequenceShowsHoverPressedAndRaisesClickOnceOnRelease)
{
    Send(WM_MOUSEMOVE, 5, 5);
    Look hover = Render();
    EXPECT_EQ(hover.corner, ButSilver2::HoverFrameColor);
    EXPECT_EQ(hover.centre, kPicture);

    Send(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    Look pressed = Render();
    EXPECT_EQ(pressed.corner, GetSysColor(COLOR_BTNFACE)) << "picture shifted right and down";
    EXPECT_EQ(pressed.shiftedCorner, ButSilver2::OverlayLineColor);
    EXPECT_EQ(pressed.centre, Blend(kPicture, ButSilver2::OverlayFillColor));
    EXPECT_EQ(clicks, 0) << "no Click on the press";

    Send(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(clicks, 1);
    Look after = Render();
    EXPECT_EQ(after.corner, kPicture) << "no hover frame until the next move";
    EXPECT_EQ(after.centre, kPicture);
    EXPECT_NE(GetCapture(), button.hwnd);

    Send(WM_MOUSEMOVE, 6, 6);
    EXPECT_EQ(Render().corner, ButSilver2::HoverFrameColor);
}

TEST_F(ButtonFixture, ReleaseOutsideRestoresTheLookWithoutClick)
{
    Send(WM_MOUSEMOVE, 5, 5);
    Send(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), button.hwnd) << "the release must come back to the button";
    Send(WM_LBUTTONUP, -40, 90);
    EXPECT_EQ(clicks, 0);
    Look look = Render();
    EXPECT_EQ(look.corner, kPicture);
    EXPECT_EQ(look.centre, kPicture);

    // A release without a press on the button is no click either.
    Send(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(clicks, 0);
}

TEST_F(ButtonFixture, LeavingHidesTheHoverFrame)
{
    Send(WM_MOUSEMOVE, 5, 5);
    ASSERT_EQ(Render().corner, ButSilver2::HoverFrameColor);
    SendMessageW(button.hwnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Render().corner, kPicture);
}

TEST_F(ButtonFixture, DisabledButtonShowsOverlayAndIgnoresTheMouseButton)
{
    button.Enabled(false);
    EXPECT_FALSE(button.Enabled());
    Look disabled = Render();
    EXPECT_EQ(disabled.corner, ButSilver2::OverlayLineColor);
    EXPECT_EQ(disabled.centre, Blend(kPicture, ButSilver2::OverlayFillColor));

    Send(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    Send(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(Render().corner, ButSilver2::OverlayLineColor) << "not shifted";

    button.Enabled(true);
    EXPECT_EQ(Render().centre, kPicture);

    // Disabling the window itself, as a form does with its children, is the same.
    EnableWindow(button.hwnd, FALSE);
    EXPECT_FALSE(button.Enabled());
    EnableWindow(button.hwnd, TRUE);
    EXPECT_TRUE(button.Enabled());
}

TEST_F(ButtonFixture, NewPictureTakesEffectAtTheNextResize)
{
    HBITMAP bigger = ctl::SolidBitmap(40, 30, RGB(0, 0, 255));
    button.Image(bigger);
    DeleteObject(bigger); // the button keeps its own copy
    RECT rc;
    GetClientRect(button.hwnd, &rc);
    EXPECT_EQ(rc.right, 24);
    button.Resize();
    GetClientRect(button.hwnd, &rc);
    EXPECT_EQ(rc.right, 40);
    EXPECT_EQ(rc.bottom, 30);
    EXPECT_EQ(Render().centre, RGB(0, 0, 255));
}

TEST_F(ButtonFixture, ClickHandlerMayDestroyTheButton)
{
    button.Click = [this] {
        ++clicks;
        DestroyWindow(button.hwnd);
    };
    HWND w = button.hwnd;
    Send(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(button.hwnd, nullptr);
}
